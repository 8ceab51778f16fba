#pragma once

#include <QComboBox>

namespace mervalis {

// A combo box whose list is rebuilt every time it opens: `dropDown` is
// emitted just before the list is shown, so that a handler
// (Combo19_DropDown, Combo2_DropDown, ...) can refill it first.
class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownCombo(QWidget* parent = nullptr) : QComboBox(parent) {}
    // An editable combo (typed text is the control's text), as most lists are.
    static DropDownCombo* editable(QWidget* parent);

    void showPopup() override;

signals:
    void dropDown();
};

}  // namespace mervalis
