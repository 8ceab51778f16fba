#include "data/record_set_model.h"

#include "data/data_control.h"

namespace mervalis {

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
    if (index.row() == editedRow_) {
        const auto edit = edits_.constFind(control_.rows().columnNames().value(index.column()));
        if (edit != edits_.cend()) return *edit;
    }
    return control_.rows().value(index.row(), index.column());
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

    const QString field = control_.rows().columnNames().value(index.column());
    const QString text = value.toString();
    const bool unchanged = text == control_.rows().value(row, index.column());
    if (unchanged) edits_.remove(field);
    else edits_[field] = text;
    editedRow_ = edits_.isEmpty() ? -1 : row;
    emit dataChanged(index, index);
    emit headerDataChanged(Qt::Vertical, row, row);
    return true;
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
