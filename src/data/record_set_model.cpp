#include "data/record_set_model.h"

#include "data/data_control.h"
#include "data/dates.h"
#include "data/dialogs.h"
#include "data/money.h"
#include "data/sales_table.h"

#include <QDate>

namespace mervalis {

namespace {

// What a cell's typed text writes, field by field, in the database's form: a
// number field's number with ".", a sale's SellDate with its Day, Month and
// Year. False, with the reason for the user, when the text is no number or
// no date.
bool storedEdit(const RecordSet& rows, int column, const QString& typed, QMap<QString, QString>* fields,
                QString* refusal)
{
    const QString field = rows.columnNames().value(column);
    if (rows.columnKind(column) == RecordSet::Kind::Number && !typed.trimmed().isEmpty()) {
        QString stored;
        if (!storedNumberOf(typed, &stored)) {
            *refusal = QStringLiteral("The %1 field cannot hold \"%2\", which is not a number. Please type %3. "
                                      "Nothing was stored.")
                           .arg(field, typed, numberAdvice());
            return false;
        }
        fields->insert(field, stored);
        return true;
    }
    if (field.compare(QLatin1String("SellDate"), Qt::CaseInsensitive) == 0) {
        const QDate date = readShortDate(typed);
        if (!date.isValid()) {
            *refusal = QStringLiteral("The %1 field cannot hold \"%2\", which is not a date. Please type it the way "
                                      "today is written: %3. Nothing was stored.")
                           .arg(field, typed, shortDateText(QDate::currentDate()));
            return false;
        }
        // The analyses select sales by these, so they change with the date.
        const QStringList parts = sales_table::sellDateParts(date);
        const QStringList partFields = sales_table::sellDatePartFields();
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const int partColumn = rows.columnIndex(partFields[i]);
            fields->insert(partColumn >= 0 ? rows.columnNames().at(partColumn) : partFields[i], parts[i]);
        }
    }
    fields->insert(field, typed);
    return true;
}

}  // namespace

RecordSetModel::RecordSetModel(DataControl& control) : QAbstractTableModel(&control), control_(control)
{
    // Leaving the record (a query, a refresh, a sort, the window closing)
    // commits what was typed rather than dropping it.
    connect(&control, &DataControl::leavingRecord, this, [this] { commitEdits(); });
}

int RecordSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : control_.rows().rowCount();
}

int RecordSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : control_.rows().columnCount();
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const QString value = storedText(index.row(), index.column());
    // Numbers as the user reads and types them.
    return control_.rows().columnKind(index.column()) == RecordSet::Kind::Number ? shownNumber(value) : value;
}

QString RecordSetModel::storedText(int row, int column) const
{
    const RecordSet& rows = control_.rows();
    if (row == editedRow_) {
        const auto edit = edits_.constFind(rows.columnNames().value(column));
        if (edit != edits_.cend()) return *edit;
    }
    return rows.value(row, column);
}

bool RecordSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !editable_ || isIdColumn(index.column())) return false;
    const int row = index.row();
    // Taking up another row commits the one being edited, as a grid does;
    // what another program's change refused there is given up.
    if (editedRow_ >= 0 && editedRow_ != row) {
        commitEdits();
        discardEdits();
    }
    if (row >= rowCount()) return false;
    refused_ = false;

    const RecordSet& rows = control_.rows();
    QMap<QString, QString> fields;
    QString refusal;
    const bool accepted = storedEdit(rows, index.column(), value.toString(), &fields, &refusal);
    // A refused text is not kept: the cell shows the stored value again.
    if (!accepted) fields.insert(rows.columnNames().value(index.column()), rows.value(row, index.column()));
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const int column = rows.columnIndex(it.key());
        if (column >= 0 && it.value() == rows.value(row, column)) edits_.remove(it.key());
        else edits_[it.key()] = it.value();
    }
    editedRow_ = edits_.isEmpty() ? -1 : row;
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
    if (!accepted) control_.dialogs().inform(refusal);
    return accepted;
}

bool RecordSetModel::commitEdits(bool retry)
{
    if (editedRow_ < 0) return true;
    if (refused_ && !retry) return false;
    const int row = editedRow_;
    const QMap<QString, QString> edits = edits_;
    editedRow_ = -1;
    refused_ = false;
    edits_.clear();
    const bool written = control_.updateRow(row, edits);
    // Written, or refused by the database: the row shows what is stored.
    // Refused as changed elsewhere: what was typed stays.
    if (!written && control_.refused() && editedRow_ < 0 && row < rowCount()) {
        editedRow_ = row;
        edits_ = edits;
        refused_ = true;
    }
    rowRewritten(row);
    return written;
}

void RecordSetModel::discardEdits()
{
    if (editedRow_ < 0) return;
    const int row = editedRow_;
    editedRow_ = -1;
    refused_ = false;
    edits_.clear();
    rowRewritten(row);
}

void RecordSetModel::setEditable(bool editable)
{
    if (!editable) discardEdits();
    editable_ = editable;
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const QStringList& names = control_.rows().columnNames();
        return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
    }
    // The row selector marks the row whose edits wait for it.
    return section == editedRow_ ? QVariant(QStringLiteral("\u270E")) : QVariant(QString());
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // The database numbers ID itself; it is never typed.
    if (editable_ && !isIdColumn(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordSetModel::isIdColumn(int column) const
{
    return control_.rows().columnNames().value(column).compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0;
}

void RecordSetModel::beginReplace()
{
    editedRow_ = -1;
    refused_ = false;
    edits_.clear();
    beginResetModel();
}

void RecordSetModel::beginRemove(int row)
{
    if (editedRow_ == row) {
        editedRow_ = -1;
        refused_ = false;
        edits_.clear();
    } else if (editedRow_ > row) {
        --editedRow_;
    }
    beginRemoveRows({}, row, row);
}

void RecordSetModel::rowRewritten(int row)
{
    if (row < 0 || row >= rowCount()) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

}  // namespace mervalis
