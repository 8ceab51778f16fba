#pragma once

#include <QAbstractTableModel>

namespace mervalis {

class DataControl;

// Shows whatever record set a data control holds, field names as headings.
// Edits go through the data control; the grid decides when they are allowed.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordSetModel(DataControl& control);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setEditable(bool editable) { editable_ = editable; }
    bool editable() const { return editable_; }

    // Called by the data control around changes of its rows.
    void beginReplace() { beginResetModel(); }
    void endReplace() { endResetModel(); }
    void beginAppend(int row) { beginInsertRows({}, row, row); }
    void endAppend() { endInsertRows(); }
    void beginRemove(int row) { beginRemoveRows({}, row, row); }
    void endRemove() { endRemoveRows(); }
    void rowRewritten(int row);

private:
    DataControl& control_;
    bool editable_ = false;
};

}  // namespace mervalis
