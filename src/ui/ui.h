#pragma once

#include <QRect>
#include <QString>

class QAbstractButton;
class QKeySequence;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace mervalis {

// Gives a control its described name (objectName, e.g. "Text19") and the
// name screen readers announce (its label's caption).
template <class W>
W* named(W* widget, const char* controlName, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(controlName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

// A caption label for a box: the box is its buddy and takes the caption as
// its accessible name.
QLabel* captionFor(QWidget* box, const QString& caption, QWidget* parent);

// A button or check box named after its caption.
template <class B>
B* namedButton(B* button, const char* controlName)
{
    button->setObjectName(QLatin1String(controlName));
    button->setAccessibleName(button->text());
    return button;
}

// Gives a button a key that presses it while the button is on screen (F1 on
// each tab's Help, F5 on Refresh View), and names the key at the end of its
// tool tip: "Refreshes the view... (F5)". A button without a tool tip gets
// its caption there.
void giveKey(QAbstractButton* button, const QKeySequence& key);

// Makes a combo box editable so that what the user types is exactly what the
// program reads and stores: no inline completion (Qt's default turns a typed
// "2" into "20" and "ann" into "Ann" when the list holds those), no entry
// added on Enter. The list stays there to be picked from.
QComboBox* makeEditable(QComboBox* combo);

// Lets a keyboard user leave a multi-line box: Tab and Shift+Tab move the
// focus on and back, and Ctrl+Tab types a tab character instead.
void tabMovesFocus(QPlainTextEdit* box);

// `place` moved the least that brings it inside `area`; one larger than
// `area` keeps its top left corner inside.
QRect keptInside(const QRect& place, const QRect& area);

// Twips (1440 per inch) to device-independent pixels.
int twips(int value);

}  // namespace mervalis
