#pragma once

#include <QSize>
#include <QString>

class QSettings;
class QTabWidget;
class QWidget;

namespace mervalis {

// The main window's size and place: never so small that two controls of a
// tab lie over each other, and where the user last left it.
class WindowGeometry {
public:
    // Makes `window` no smaller than every page of `tabs` needs, and opens it
    // at `described` or at that smallest size where it is larger. A word-
    // wrapped text needs more lines as the window narrows, which Qt's own
    // minimum of a window does not count: each page's height is taken at the
    // width it gets.
    static void fit(QWidget& window, const QTabWidget& tabs, QSize described);

    // Puts the window where `settings` says the user last left it (size,
    // position, maximised); false when nothing is remembered.
    static bool restore(QWidget& window, const QSettings& settings);
    // Brings a shown window that lies partly off every screen back onto the
    // screen it is nearest to (its frame is known only once it is shown).
    static void keepOnScreen(QWidget& window);
    static void save(const QWidget& window, QSettings& settings);

    // The per-user setting that holds it.
    static QString settingsKey() { return QStringLiteral("Window/geometry"); }
};

}  // namespace mervalis
