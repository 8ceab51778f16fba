#include "data/csv_file.h"

#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
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
            file.cancelWriting();
            if (error) *error = QStringLiteral("row %1 could not be read from the database").arg(r + 1);
            return false;
        }
        for (size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) buffer.append(',');
            appendCsvField(buffer, cells[column]);
        }
        endLine();
    }
    file.write(buffer);
    // commit() fails when any write failed (a full disk, say); the temporary
    // file is then removed and `path` keeps what it held.
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace mervalis
