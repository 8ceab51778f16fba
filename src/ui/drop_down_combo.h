#pragma once

#include <QComboBox>

namespace mervalis {

// A combo box whose list is rebuilt every time it opens: `dropDown` is
// emitted just before the list is shown, so that a handler
// (Combo19_DropDown, Combo2_DropDown, ...) can refill it first.
class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    // The list may hold every reference ID of a large ledger: the box takes
    // its width from the layout, not from measuring every entry, and the list
    // lays its entries out as one height.
    explicit DropDownCombo(QWidget* parent = nullptr);
    // An editable combo (typed text is the control's text), as most lists are.
    static DropDownCombo* editable(QWidget* parent);

    void showPopup() override;

signals:
    void dropDown();
};

}  // namespace mervalis
