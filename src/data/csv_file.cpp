#include "data/csv_file.h"

#include "data/owner_only.h"

#include <QFile>
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
    // The owner's alone from the first byte: the temporary file takes the
    // mode of the file it replaces. A file made here goes again on failure.
    bool created = false;
    if (!makeOwnerOnly(path, error, &created)) return false;
    QSaveFile file(path);
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        if (created) QFile::remove(path);
        if (error) *error = reason;
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
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
        if (!row(r, cells)) return fail(QStringLiteral("row %1 could not be read from the database").arg(r + 1));
        for (size_t column = 0; column < cells.size(); ++column) {
            if (column > 0) buffer.append(',');
            appendCsvField(buffer, cells[column]);
        }
        endLine();
    }
    file.write(buffer);
    // commit() fails when any write failed (a full disk, say); the temporary
    // file is then removed and `path` keeps what it held.
    return file.commit() || fail(file.errorString());
}

}  // namespace mervalis
