#include "ui/drop_down_combo.h"

#include "ui/ui.h"

namespace mervalis {

DropDownCombo* DropDownCombo::editable(QWidget* parent)
{
    auto* combo = new DropDownCombo(parent);
    makeEditable(combo);
    return combo;
}

void DropDownCombo::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

}  // namespace mervalis
