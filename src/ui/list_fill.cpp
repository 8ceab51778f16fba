#include "ui/list_fill.h"

#include "data/data_control.h"
#include "data/sales_table.h"
#include "data/list_file.h"
#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/row_block.h"

#include <QComboBox>
#include <QStringListModel>

namespace mervalis {

ListRebuild::ListRebuild(QComboBox* combo)
    : combo_(combo), editable_(combo->isEditable()), text_(combo->currentText()),
      blocker_(editable_ ? combo : nullptr)
{
    combo_->clear();
}

ListRebuild::~ListRebuild()
{
    if (auto* strings = qobject_cast<QStringListModel*>(combo_->model())) {
        strings->setStringList(strings->stringList() + entries_);
    } else {
        combo_->addItems(entries_);
    }
    if (editable_) combo_->setEditText(text_);
}

void ListRebuild::add(const QString& entry)
{
    entries_ << entry;
    if (!listed_.isEmpty()) listed_.insert(entry);
}

void ListRebuild::add(const QStringList& entries)
{
    for (const QString& entry : entries) add(entry);
}

void ListRebuild::addDistinct(const QString& entry)
{
    if (listed_.isEmpty()) {
        for (int i = 0; i < combo_->count(); ++i) listed_.insert(combo_->itemText(i));
        for (const QString& listed : std::as_const(entries_)) listed_.insert(listed);
    }
    if (listed_.contains(entry)) return;
    listed_.insert(entry);
    entries_ << entry;
}

QString noRecordsMessage()
{
    return QStringLiteral("Either there are no records in the database or the database needs to be refreshed. "
                          "Add a record if none exist or refresh the database.");
}

bool fillFromTable(QComboBox* combo, DataControl& control, const QString& sql, int position, const QString& column,
                   DialogService& dialogs)
{
    ListRebuild rebuild(combo);
    if (!control.query(sql)) return false;  // the data control has told the user
    if (!column.isEmpty()) position = control.rows().columnIndex(column);
    control.moveFirst();
    if (control.eof() || position < 0) {
        dialogs.inform(noRecordsMessage());
        return false;
    }
    for (; !control.eof(); control.moveNext()) {
        if (control.rows().isNull(control.currentRow(), position)) {
            dialogs.inform(noRecordsMessage());
            return false;
        }
        rebuild.add(control.field(position));
    }
    return true;
}

void fillFromStoredSales(QComboBox* combo, const QString& valuesSql, bool joinLeadList, AppContext& context)
{
    ListRebuild rebuild(combo);
    DataControl& sales = context.adodc2;
    // Adodc2 is left holding every sale, as the list was always read from
    // it; the values themselves come from one query, not a walk of them all.
    if (!sales.query(sales_table::selectAll())) return;  // the data control has reported
    sales.moveFirst();
    if (sales.eof()) {
        context.dialogs.inform(noRecordsMessage());
        return;
    }
    RowBlock values;
    if (!sales.lookUp(valuesSql, values)) return;
    for (int row = 0; row < values.rowCount(); ++row) rebuild.add(values.value(row, 0));

    if (!joinLeadList) return;
    bool opened = false;
    const QStringList leads = readListFile(listFilePath(context.installation, ListFile::LeadsGivenTo), &opened);
    if (!opened) {
        context.dialogs.inform(noRecordsMessage());
        return;
    }
    for (const QString& lead : leads) rebuild.addDistinct(lead);
}

}  // namespace mervalis
