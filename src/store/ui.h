#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
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

// Twips (1440 per inch) to device-independent pixels.
int twips(int value);

}  // namespace mervalis
