#include "ui/click_watcher.h"

#include <QEvent>
#include <QWidget>

namespace mervalis {

ClickWatcher::ClickWatcher(QWidget* box) : QObject(box)
{
    box->installEventFilter(this);
}

ClickWatcher* ClickWatcher::watch(QWidget* box)
{
    return new ClickWatcher(box);
}

bool ClickWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) emit clicked();
    return QObject::eventFilter(watched, event);
}

}  // namespace mervalis
