#include "ui/list_fill.h"

#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/row_block.h"

#include <QComboBox>

namespace mervalis {

ListRebuild::ListRebuild(QComboBox* combo)
    : combo_(combo), editable_(combo->isEditable()), text_(combo->currentText()),
      blocker_(editable_ ? combo : nullptr)
{
    combo_->clear();
}

ListRebuild::~ListRebuild()
{
    if (editable_) combo_->setEditText(text_);
}

void ListRebuild::add(const QString& entry) { combo_->addItem(entry); }

void ListRebuild::add(const QStringList& entries) { combo_->addItems(entries); }

void ListRebuild::addDistinct(const QString& entry)
{
    for (int i = 0; i < combo_->count(); ++i) {
        if (combo_->itemText(i) == entry) return;
    }
    combo_->addItem(entry);
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

int fillFromQuery(QComboBox* combo, DataControl& control, const QString& sql)
{
    ListRebuild rebuild(combo);
    RowBlock result;
    if (!control.lookUp(sql, result)) return -1;
    QStringList entries;
    entries.reserve(result.rowCount());
    for (int row = 0; row < result.rowCount(); ++row) entries << result.value(row, 0);
    rebuild.add(entries);
    return static_cast<int>(entries.size());
}

}  // namespace mervalis
