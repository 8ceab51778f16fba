#include "entry/drop_down_combo.h"

namespace mervalis {

DropDownCombo* DropDownCombo::editable(QWidget* parent)
{
    auto* combo = new DropDownCombo(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

void DropDownCombo::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

}  // namespace mervalis
