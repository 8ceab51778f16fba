#include "app/window_geometry.h"

#include "ui/ui.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace mervalis {

namespace {

QSize smallestOf(const QWidget* widget)
{
    return widget->minimumSize().expandedTo(widget->minimumSizeHint());
}

// The height a page needs at `width` for no control to be squeezed.
int pageHeightFor(const QWidget* page, int width)
{
    const QLayout* layout = page->layout();
    int height = smallestOf(page).height();
    if (layout && layout->hasHeightForWidth()) height = std::max(height, layout->totalMinimumHeightForWidth(width));
    return height;
}

// The window's height at `width` that gives every page the height it needs.
// What lies around a page (menu, tab bar, frames, foot lines) is what the
// window's own minimum adds to the largest page minimum.
int windowHeightFor(const QWidget& window, const QTabWidget& tabs, int width)
{
    QSize pages(0, 0);
    for (int i = 0; i < tabs.count(); ++i) pages = pages.expandedTo(smallestOf(tabs.widget(i)));
    const QSize around = window.minimumSizeHint() - pages;
    int height = window.minimumSizeHint().height();
    for (int i = 0; i < tabs.count(); ++i) {
        height = std::max(height, pageHeightFor(tabs.widget(i), width - around.width()) + around.height());
    }
    return height;
}

}  // namespace

void WindowGeometry::fit(QWidget& window, const QTabWidget& tabs, QSize described)
{
    const int smallestWidth = window.minimumSizeHint().width();
    window.setMinimumSize(smallestWidth, windowHeightFor(window, tabs, smallestWidth));
    const int width = std::max(described.width(), smallestWidth);
    window.resize(width, std::max(described.height(), windowHeightFor(window, tabs, width)));
}

bool WindowGeometry::restore(QWidget& window, const QSettings& settings)
{
    const QByteArray stored = settings.value(settingsKey()).toByteArray();
    return !stored.isEmpty() && window.restoreGeometry(stored);
}

void WindowGeometry::keepOnScreen(QWidget& window)
{
    if (window.isMaximized() || window.isFullScreen()) return;
    const QRect place = window.frameGeometry();
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(place)) return;
    }
    // Left on a screen that has since shrunk or gone: moved onto the screen
    // it is nearest to, or filling it where it is larger.
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    if (place.width() > area.width() || place.height() > area.height()) {
        window.move(area.topLeft());
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    } else {
        window.move(keptInside(place, area).topLeft());
    }
}

void WindowGeometry::save(const QWidget& window, QSettings& settings)
{
    settings.setValue(settingsKey(), window.saveGeometry());
}

}  // namespace mervalis
