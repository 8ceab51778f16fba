#include "ui/drop_down_combo.h"

#include "ui/ui.h"

#include <QListView>
#include <QStringListModel>

namespace mervalis {

DropDownCombo::DropDownCombo(QWidget* parent) : QComboBox(parent)
{
    // Plain texts, held as a string list (a standard item a row would take
    // several times the memory).
    setModel(new QStringListModel(this));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
}

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
