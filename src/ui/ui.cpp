#include "ui/ui.h"

#include <QComboBox>
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
