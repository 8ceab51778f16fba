#pragma once

#include <QString>

#include <optional>

namespace mervalis {

// Doubles every single quote of a value that is placed between single quotes
// in an SQL text, so that names such as O'Brien read back as they were typed.
// Every value that goes between quotes passes through here, and nothing else
// escapes SQL anywhere in the program.
QString sqlEscape(const QString& value);

// A value as an SQL text literal: between single quotes, quotes doubled.
QString quoted(const QString& value);

// The number of rows of a table: one COUNT(*), which the database answers
// from an index without handing over any row.
QString countRows(const QString& table);

// Text columns compare without regard to case, as the ledger's users expect
// of names and reference IDs. Where a list or a figure must tell "Ann" from
// "ann" (distinct values compared exactly), these give the case-sensitive
// form, and work alike on SQLite and PostgreSQL: an expression built on a
// column carries no case-insensitive collation of its own.
// `column` as an expression that groups, orders and compares exactly.
QString exactText(const QString& column);
// A condition true where `column` holds exactly `value`; the first half lets
// the database use the column's index, the second tells case apart.
QString exactlyEquals(const QString& column, const QString& value);

// A condition true where `column` holds `value` (no value: NULL): a number
// compared by its value ("5" holds 5.0), a text exactly, case and all. A
// write to a stored row holds only while its fields still hold what was read.
QString holdsValue(const QString& column, const std::optional<QString>& value, bool number);

// A text column's value as a whole number where it holds digits alone, else
// NULL; SQLite and PostgreSQL each get an expression that never fails.
QString wholeNumberOf(const QString& column, bool postgres);

}  // namespace mervalis
