#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace mervalis::sales_table {

// The SQL texts of the sales table Mervalis2 (Adodc2).

// "SELECT * FROM Mervalis2"
QString selectAll();

// The distinct values of a text field of the stored sales, compared
// exactly (case and all), in the order of the first sale holding each; sales
// without a value in the field offer none. One column, named as the field.
QString distinctValues(const QString& field);

// The invoice's reference-ID list opened with all sales:
// "SELECT * FROM Mervalis2 order by referenceID"
QString selectOrderedByReferenceId();
// ... and with "Outstanding" ticked: "SELECT * FROM Mervalis2 where paid = 'unpaid'"
QString selectUnpaid();
// The reference IDs of those rows, each exact (case-sensitive) text once and
// in the order in which the rows above first show it; empty IDs are left out
// since they name no invoice. One column, ReferenceID. `postgres`: in that
// engine's fastest form; `reversed`: last first. Their number:
// referenceIdCount().
QString referenceIds(bool unpaidOnly, bool postgres = false, bool reversed = false);
QString referenceIdCount(bool unpaidOnly, bool postgres = false);

// The condition of an unpaid sale, whose PAID does not read "PAID"
// (compared as the ledger compares text, without regard to case; NULL is
// unpaid too).
QString unpaid(bool postgres);

// The sales of one invoice: the reference ID compares without regard to
// case, and is quoted safely.
QString selectByReferenceId(const QString& referenceId);
// Marks every sale of one invoice paid.
QString markPaid(const QString& referenceId);

// The 25 fields a new sale line writes, in the order the add call writes them.
QStringList addFields();

// Day, Month and Year of a sell date as a sale stores them beside its
// SellDate text: the month without a leading zero, a four-digit year.
QStringList sellDateParts(const QDate& date);
QStringList sellDatePartFields();

// The order of the sales by their sell dates as dates, whatever format the
// SellDate texts were written in: Year, Month and Day as numbers (a part
// that is none first), then ID. As the columns of an index, and as an
// ORDER BY that the index answers.
QStringList sellDateOrderColumns(bool postgres);
QString sellDateOrder(bool postgres);

// The sale columns users type freely. On PostgreSQL their indexes are hash
// indexes (a B-tree refuses values over 2,700 bytes); the order by one of
// them is read from a B-tree of its first 200 letters in lower case, which
// holds any value (see orderBy()).
QStringList typedColumns();
// The sales ordered by `column`, a missing value first, as the column
// compares: on PostgreSQL a typed column led by the first 200 letters of its
// lower-case form, which an index gives (it compares so), and ID, which is
// never missing, as it is, so that the table's own key gives it.
QString orderBy(const QString& column, bool postgres);
// Its first key, which the column's index holds.
QString orderKey(const QString& column, bool postgres);
// An ORDER BY list last first: each key descending, a missing value last
// where it came first.
QString reversedOrder(const QString& order);
// `sql` ending in "ORDER BY <column>" of the sales, in that order on
// PostgreSQL; as it is elsewhere.
QString inIndexOrder(const QString& sql, bool postgres);

}  // namespace mervalis::sales_table
