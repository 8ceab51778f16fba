#pragma once

#include <QTableView>

namespace mervalis {

class DataControl;
class RecordSetModel;

// A data grid (DataGrid1, DataGrid2, DataGrid3): shows the record set its
// data control holds, field names as headings and ID included. While
// updating is allowed, cells are edited and a row is written back when it is
// committed by its row selector (the grey cell at its left) or left for
// another row. While deleting is allowed, the rows selected by their row
// selectors are deleted with the Delete key. Both switches live on the
// control's model, so every view of a data control agrees.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(DataControl& control, const char* controlName, QWidget* parent = nullptr);

    DataControl& control() const { return control_; }
    RecordSetModel& records() const;

    bool allowUpdate() const;
    void setAllowUpdate(bool allow);
    bool allowDelete() const;
    void setAllowDelete(bool allow);

    // The grid's own value: the text of the current cell.
    QString text() const;
    // The data field of the column headed `heading` (any case); empty when
    // the grid has no such column.
    QString columnField(const QString& heading) const;
    // Sorts the data control's rows in memory by the column headed `heading`;
    // tells the user when the grid has no such column.
    bool sortBy(const QString& heading);

    // What clicking a row selector does: writes the row being edited, also
    // one refused before as changed elsewhere.
    bool commitRow();
    // What the Delete key does while deleting is allowed.
    bool deleteSelectedRows();

signals:
    // A double-click on a cell that is not opened for editing: the grid's
    // message event.
    void messageRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void finishEditing();

    DataControl& control_;
};

}  // namespace mervalis
