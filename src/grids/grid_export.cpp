#include "grids/grid_export.h"

#include "data/csv_file.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/record_set_model.h"
#include "grids/data_grid.h"
#include "ui/wait_cursor.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>

#include <string>
#include <vector>

namespace mervalis {

QString proposedExportPath(const QString& subject)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(
        QStringLiteral("Mervalis %1 %2.csv").arg(subject, QDate::currentDate().toString(Qt::ISODate)));
}

std::vector<int> shownColumns(const QHeaderView* header)
{
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column)) columns.push_back(column);
    }
    return columns;
}

bool exportCsv(DialogService& dialogs, const QString& subject, const QStringList& header, int rowCount,
               const CsvRow& row)
{
    QString path = dialogs.askSaveFileName(QStringLiteral("Export %1 to CSV").arg(subject),
                                           proposedExportPath(subject), QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    QString error;
    bool written;
    {
        WaitCursor hourglass;  // a large ledger takes seconds
        written = writeCsvFile(path, header, rowCount, row, &error);
    }
    if (!written) {
        dialogs.warn(QStringLiteral("The %1 could not be saved to %2: %3\r\n\r\nNo file was written.")
                         .arg(subject, QDir::toNativeSeparators(path), error));
        return false;
    }
    dialogs.inform(QStringLiteral("%1 %2 saved to %3.")
                       .arg(rowCount)
                       .arg(rowCount == 1 ? QStringLiteral("row") : QStringLiteral("rows"),
                            QDir::toNativeSeparators(path)));
    return true;
}

bool exportGrid(const DataGrid& grid, DialogService& dialogs, const QString& subject)
{
    const RecordSet& rows = grid.control().rows();
    const std::vector<int> columns = shownColumns(grid.horizontalHeader());
    QStringList names;
    for (int column : columns) names << rows.columnNames().value(column);

    // Stored cells straight from the record set (a large one reads its pages
    // as they come), numbers with "." as the database holds them; a row whose
    // edits wait for its row selector is written with its edits.
    const RecordSetModel& model = grid.records();
    std::vector<std::string> edited(columns.size());
    const auto row = [&](int r, std::vector<std::string_view>& cells) {
        if (!rows.readable(r)) return false;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (r == model.editedRow()) {
                edited[i] = model.storedText(r, columns[i]).toStdString();
                cells[i] = edited[i];
            } else {
                cells[i] = rows.raw(r, columns[i]);
            }
        }
        return true;
    };
    return exportCsv(dialogs, subject, names, rows.rowCount(), row);
}

}  // namespace mervalis
