#pragma once

#include "data/money.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace mervalis {

class DataControl;

// An invoice that is owed: the sales of one reference ID (compared without
// regard to case) of which at least one is not "PAID".
struct OutstandingInvoice {
    QString client;       // ClientName of its sales
    QString referenceId;  // as its first sale spells it
    QString company;      // AssociatedCompany of its sales
    QDate date;           // its earliest sale's Year, Month and Day, paid or not; invalid without one
    int unpaidLines = 0;
    // The unpaid sales' SubTotal added up; none when that is beyond the
    // amounts the ledger adds up, and no figure can be shown.
    std::optional<Currency> due;
};

// How long an invoice has been owed, by its days outstanding.
enum class AgeBand { UpTo30, UpTo60, UpTo90, Over90, Undated };
constexpr int kAgeBandCount = 5;

// "0-30 days", "31-60 days", "61-90 days", "Over 90 days"; "No date" for an
// invoice none of whose sales has a date.
QString ageBandText(AgeBand band);
// Today minus the invoice date; negative for a date ahead, none without a date.
std::optional<qint64> daysOutstanding(const QDate& date, const QDate& today);
// A date ahead counts as 0-30 days.
AgeBand ageBandOf(const QDate& date, const QDate& today);

// What a list of invoices owes, by age band and in all, added up checked: a
// total is none when it, or an amount due in it, is beyond the amounts the
// ledger adds up.
struct AgedTotals {
    std::array<std::optional<Currency>, kAgeBandCount> bands{Currency(), Currency(), Currency(), Currency(),
                                                             Currency()};
    std::optional<Currency> total = Currency();
    std::optional<Currency> band(AgeBand b) const { return bands[static_cast<size_t>(b)]; }
};
AgedTotals agedTotals(const QList<const OutstandingInvoice*>& invoices, const QDate& today);

// A figure as shown: empty for none.
QString figureText(const std::optional<Currency>& amount);
// `amount` added to `sum`, checked: none once either is none or the sum
// leaves the range of amounts.
void addChecked(std::optional<Currency>& sum, const std::optional<Currency>& amount);

// Which figures are beyond the amounts the ledger adds up, for a message:
// "beyond the amounts ... (below ... either way): the amount due of invoice
// A1; the total of Over 90 days; the Total" (`totalName` names the total of
// all). Empty when every figure is held.
QString unheldFiguresText(const QList<const OutstandingInvoice*>& invoices, const AgedTotals& totals,
                          const QString& totalName);

// The outstanding invoices in one statement over the figures the database
// keeps (data/kept_figures.h), without reading the sales: one row per
// reference ID, client and company (an invoice whose sales name two clients
// owes as two rows) with a sale not "PAID", with its unpaid lines, what they
// add up to and the date of its earliest sale, paid or not, as yyyymmdd: a
// line added to an invoice paid long ago is owed since the invoice's date.
// Unpaid sales without a reference ID make rows of an empty or NULL one.
QString outstandingInvoicesQuery(bool postgres);

// What the ledger owes, read through the sales data control's connection
// (its record set stays as it is): the outstanding invoices ordered by
// client (without regard to case) and date, and what unpaid sales without a
// reference ID owe, which no invoice lists. False when the statement failed;
// the user has been told why.
struct Receivables {
    QList<OutstandingInvoice> invoices;
    int salesWithoutReference = 0;
    std::optional<Currency> owedWithoutReference = Currency();
};
bool readReceivables(DataControl& sales, Receivables* receivables);

}  // namespace mervalis
