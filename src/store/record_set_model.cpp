#include "store/record_set_model.h"

#include "store/data_control.h"

namespace mervalis {

RecordSetModel::RecordSetModel(DataControl& control) : QAbstractTableModel(&control), control_(control) {}

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
    return control_.rows().value(index.row(), index.column());
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const QStringList& names = control_.rows().columnNames();
        return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
    }
    return QVariant();
}

Qt::ItemFlags RecordSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (editable_) flags |= Qt::ItemIsEditable;
    return flags;
}

void RecordSetModel::rowRewritten(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

}  // namespace mervalis
