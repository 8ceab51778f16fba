#include "grids/data_grid.h"

#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/record_set_model.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace mervalis {

DataGrid::DataGrid(DataControl& control, const char* controlName, QWidget* parent)
    : QTableView(parent), control_(control)
{
    setObjectName(QLatin1String(controlName));
    setModel(control.model());
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setMinimumWidth(18);
    verticalHeader()->setToolTip(QStringLiteral("Click here to apply the changes of this row, or to select it"));
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this] { commitRow(); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!(model()->flags(index) & Qt::ItemIsEditable)) emit messageRequested();
    });
}

RecordSetModel& DataGrid::records() const { return *control_.model(); }

bool DataGrid::allowUpdate() const { return records().editable(); }

void DataGrid::setAllowUpdate(bool allow)
{
    if (!allow && state() == EditingState) finishEditing();
    records().setEditable(allow);
}

bool DataGrid::allowDelete() const { return records().deletable(); }

void DataGrid::setAllowDelete(bool allow) { records().setDeletable(allow); }

QString DataGrid::text() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? model()->data(index).toString() : QString();
}

QString DataGrid::columnField(const QString& heading) const
{
    for (int column = 0; column < model()->columnCount(); ++column) {
        const QString name = model()->headerData(column, Qt::Horizontal).toString();
        if (name.compare(heading, Qt::CaseInsensitive) == 0) return name;
    }
    return {};
}

bool DataGrid::sortBy(const QString& heading)
{
    const QString field = columnField(heading);
    if (field.isEmpty()) {
        control_.dialogs().inform(QStringLiteral("The grid has no column \"%1\" to sort by.\r\n\r\n"
                                                 "Press View All Records /Refresh All Databases to show "
                                                 "the whole table first.")
                                      .arg(heading));
        return false;
    }
    return control_.sort(field);
}

void DataGrid::finishEditing()
{
    // An open cell editor (a child of the viewport) hands its text to the row
    // before the row is written.
    if (state() != EditingState) return;
    const QList<QWidget*> editors = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* editor : editors) {
        if (editor->isHidden()) continue;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool DataGrid::commitRow()
{
    finishEditing();
    return records().commitEdits(true);
}

bool DataGrid::deleteSelectedRows()
{
    if (!allowDelete()) return false;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows << index.row();
    if (rows.isEmpty()) return false;
    std::sort(rows.begin(), rows.end(), std::greater<int>());

    finishEditing();
    if (rows.contains(records().editedRow())) records().discardEdits();
    else records().commitEdits();
    for (int row : std::as_const(rows)) {
        if (!control_.deleteRow(row)) return false;  // the data control has told the user
    }
    return true;
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        if (allowDelete()) deleteSelectedRows();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // Taking up another row commits the row that was being edited.
    if (previous.isValid() && current.row() != previous.row() && records().editedRow() == previous.row()) {
        records().commitEdits();
    }
}

}  // namespace mervalis
