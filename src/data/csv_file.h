#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>
#include <vector>

namespace mervalis {

// Comma-separated files (RFC 4180): UTF-8 without a byte order mark, fields
// separated by commas, lines ended by CR LF, and a field that holds a comma,
// a double quote, a line break or leading or trailing blanks written between
// double quotes with its quotes doubled.

// Appends one field to a line being built.
void appendCsvField(QByteArray& line, std::string_view text);

// Fills `cells` (one per column) with the UTF-8 texts of a row; the views
// must stay valid until the next call. False when the row cannot be read.
using CsvRow = std::function<bool(int row, std::vector<std::string_view>& cells)>;

// Writes a header line of `header`, then `rowCount` lines of header.size()
// cells each. The file appears whole or not at all: the lines go to a
// temporary file beside it that replaces `path` only once everything is
// written. On failure (a row that cannot be read, a write that fails)
// `error` says why, and `path` keeps what it held. The file is its owner's
// alone (0600).
bool writeCsvFile(const QString& path, const QStringList& header, int rowCount, const CsvRow& row,
                  QString* error);

}  // namespace mervalis
