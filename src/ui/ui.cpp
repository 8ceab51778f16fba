#include "ui/ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QWidget>

namespace mervalis {

QLabel* captionFor(QWidget* box, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(box);
    box->setAccessibleName(caption);
    return label;
}

void giveKey(QAbstractButton* button, const QKeySequence& key)
{
    button->setShortcut(key);
    const QString tip = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    button->setToolTip(QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText)));
}

QComboBox* makeEditable(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

int twips(int value)
{
    return (value * 96 + 720) / 1440;
}

}  // namespace mervalis
