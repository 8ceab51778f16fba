#pragma once

#include <QObject>

class QWidget;

namespace mervalis {

// Tells when the user presses the mouse in a box (Text19_Click,
// Text61_Click, ...), which Qt's edit boxes do not signal themselves. The
// press still reaches the box.
class ClickWatcher : public QObject {
    Q_OBJECT
public:
    // Watches `box`; the watcher is the box's child.
    static ClickWatcher* watch(QWidget* box);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickWatcher(QWidget* box);
};

}  // namespace mervalis
