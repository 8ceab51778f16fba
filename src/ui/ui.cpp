#include "ui/ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>

namespace mervalis {

namespace {

// Ctrl+Tab would otherwise reach the tab control, which turns to its next tab.
class CtrlTabTypesTab : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* box = qobject_cast<QPlainTextEdit*>(watched);
        if (!box || box->isReadOnly() || key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier) {
            return false;
        }
        event->accept();
        if (event->type() == QEvent::KeyPress) box->insertPlainText(QStringLiteral("\t"));
        return true;
    }
};

}  // namespace

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

void tabMovesFocus(QPlainTextEdit* box)
{
    box->setTabChangesFocus(true);
    box->installEventFilter(new CtrlTabTypesTab(box));
}

QRect keptInside(const QRect& place, const QRect& area)
{
    const auto inside = [](int at, int length, int first, int last) {
        return std::max(first, std::min(at, last + 1 - length));
    };
    return QRect(QPoint(inside(place.x(), place.width(), area.left(), area.right()),
                        inside(place.y(), place.height(), area.top(), area.bottom())),
                 place.size());
}

int twips(int value)
{
    return (value * 96 + 720) / 1440;
}

}  // namespace mervalis
