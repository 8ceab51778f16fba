#pragma once

#include "data/csv_file.h"

#include <QString>

#include <vector>

class QHeaderView;

namespace mervalis {

class DataGrid;
class DialogService;

// Saves what a data grid shows as a CSV file: its columns in their order on
// screen, its rows in their current sort, each cell as the grid shows it
// (numbers as the database wrote them, dates as stored), under a header line
// of the field names. A file question proposes "Mervalis <subject>
// <date>.csv" in the user's documents folder. Tells the user where the file
// went, or why it could not be written (the folder then holds no partial
// file). False when nothing was written, cancelled or failed.
bool exportGrid(const DataGrid& grid, DialogService& dialogs, const QString& subject);

// The file name proposed for a grid of `subject` ("sales") today.
QString proposedExportPath(const QString& subject);

// The columns a table shows, in their order on screen, left to right.
std::vector<int> shownColumns(const QHeaderView* header);

// What exportGrid does with the cells of any table: asks where to save
// `subject`, writes `header` and `rowCount` rows from `row`, and tells the
// user where the file went or why it could not be written. False when
// nothing was written, cancelled or failed.
bool exportCsv(DialogService& dialogs, const QString& subject, const QStringList& header, int rowCount,
               const CsvRow& row);

}  // namespace mervalis
