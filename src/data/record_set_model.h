#pragma once

#include <QAbstractTableModel>
#include <QMap>
#include <QString>

namespace mervalis {

class DataControl;

// Shows whatever record set a data control holds, field names as headings,
// to the grid bound to that control. It also carries the grid's two
// switches, updating allowed and deleting allowed (both off at start).
//
// Cell edits are kept per row until the row is committed (its row selector
// clicked, another row taken up, or the data control leaving its record);
// committing writes the row through the data control. A row the database
// refuses shows its stored values again. A number field takes only a number
// and a sale's SellDate only a date (its Day, Month and Year change with it);
// anything else is refused with a message before anything is written. A row
// another program changed or deleted since it was read keeps showing what
// was typed, so that it is not lost, until the rows are read again or
// another row is edited; only its row selector tries it again.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordSetModel(DataControl& control);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    DataControl& control() const { return control_; }
    // A cell in the database's form (numbers with "."): the edit waiting for
    // its row selector, else the stored value. data() shows numbers as the
    // user reads them.
    QString storedText(int row, int column) const;

    // Updating allowed. Switching it off drops edits not yet committed.
    void setEditable(bool editable);
    bool editable() const { return editable_; }
    // Deleting allowed.
    void setDeletable(bool deletable) { deletable_ = deletable; }
    bool deletable() const { return deletable_; }

    // The row holding edits not yet written, or -1.
    int editedRow() const { return editedRow_; }
    bool hasEdits() const { return editedRow_ >= 0; }
    // Writes the edited row; true when there was nothing to write. A row
    // refused as changed elsewhere is tried again only when `retry`.
    bool commitEdits(bool retry = false);
    void discardEdits();

    // Called by the data control around changes of its rows.
    void beginReplace();
    void endReplace() { endResetModel(); }
    void beginAppend(int row) { beginInsertRows({}, row, row); }
    void endAppend() { endInsertRows(); }
    void beginRemove(int row);
    void endRemove() { endRemoveRows(); }
    void rowRewritten(int row);

private:
    bool isIdColumn(int column) const;

    DataControl& control_;
    bool editable_ = false;
    bool deletable_ = false;
    int editedRow_ = -1;
    bool refused_ = false;  // the edited row was changed or deleted elsewhere
    QMap<QString, QString> edits_;  // field name -> typed value
};

}  // namespace mervalis
