#pragma once

#include "data/money.h"
#include "invoice/invoice_screen.h"

#include <QList>
#include <QStringList>

namespace mervalis {

// One sale line of an invoice split as the sale entry worked it out: the
// net amount (quantity x price + freight - discount) and the tax on it at
// the line's rate. Net + tax is the line's SubTotal.
struct TaxedLine {
    int line = 0;  // 1 for the first line of the columns
    Currency rate;  // a percentage, to two decimals
    Currency net;
    Currency tax;
    // The figures it was worked out from, each to the cent as the sale
    // entry takes them, and its product or service.
    Currency price, quantity, discount, freight;
    QString product;
};

// The net amount and the tax of all lines at one rate.
struct TaxRateTotal {
    Currency rate;
    Currency net;
    Currency tax;
};

// The tax of an invoice: per line, per rate (lowest rate first) and in all.
// It holds only when every line's SubTotal is what its figures give and the
// lines add up to Total Due; otherwise `problems` says, line by line, why not.
struct TaxSummary {
    QList<TaxedLine> lines;
    QList<TaxRateTotal> rates;
    Currency net;
    Currency tax;
    QStringList problems;

    bool holds() const { return problems.isEmpty(); }
};

// The tax summary of the invoice the screen shows: every line of the
// columns with a figure is a sale, read as typed (an empty discount, tax or
// freight is 0) and worked out by the sale entry's own steps.
TaxSummary summariseTax(const InvoiceScreen& screen);

// The message telling why a summary that does not hold is left out.
QString taxSummaryLeftOutMessage(const TaxSummary& summary);

}  // namespace mervalis
