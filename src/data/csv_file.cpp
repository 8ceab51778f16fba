#include "data/csv_file.h"

#include "data/owner_only.h"

#include <QIODevice>

namespace mervalis {

namespace {

bool needsQuotes(std::string_view text)
{
    if (text.empty()) return false;
    if (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t') return true;
    return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

void appendCsvField(QByteArray& line, std::string_view text)
{
    if (!needsQuotes(text)) {
        line.append(text.data(), static_cast<qsizetype>(text.size()));
        return;
    }
    line.append('"');
    for (char c : text) {
        if (c == '"') line.append('"');
        line.append(c);
    }
    line.append('"');
}

bool writeCsvFile(const QString& path, const QStringList& header, int rowCount, const CsvRow& row,
                  QString* error)
{
    return writeOwnerOnlyFile(
        path,
        [&](QIODevice& file, QString* reason) {
            QByteArray buffer;
            const auto endLine = [&] {
                buffer.append("\r\n");
                // Written in pieces, so that a large ledger is never held twice.
                if (buffer.size() >= (1 << 20)) {
                    file.write(buffer);
                    buffer.clear();
                }
            };
            for (qsizetype i = 0; i < header.size(); ++i) {
                if (i > 0) buffer.append(',');
                appendCsvField(buffer, header[i].toUtf8().toStdString());
            }
            endLine();
            std::vector<std::string_view> cells(static_cast<size_t>(header.size()));
            for (int r = 0; r < rowCount; ++r) {
                if (!row(r, cells)) {
                    *reason = QStringLiteral("row %1 could not be read from the database").arg(r + 1);
                    return false;
                }
                for (size_t column = 0; column < cells.size(); ++column) {
                    if (column > 0) buffer.append(',');
                    appendCsvField(buffer, cells[column]);
                }
                endLine();
            }
            file.write(buffer);
            return true;
        },
        error);
}

}  // namespace mervalis
