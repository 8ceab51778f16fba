#pragma once

#include "data/money.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace mervalis {

class DataControl;

// The sales of one invoice as the Invoice tab shows them: every sale gives
// exactly one line of every column (an empty value an empty line), so that
// the columns stay aligned sale by sale; the client is that of the last
// sale, the total the checked sum of the sub-totals.
struct InvoiceLines {
    // The column boxes in their order: Text29, Text30, Text31, Text32,
    // Text35, Text36, Text37, Text64.
    enum Column { Amount, Quantity, ProductService, SellDate, Discount, Tax, Freight, SubTotal, ColumnCount };
    // The sale field a column shows.
    static QString fieldOf(Column column);

    // Reads every sale `adodc2` holds, walking it from the first. Numbers
    // show with the region's decimal separator. A sub-total that is empty, no
    // number or out of range shows an empty line and is left out of the
    // total, and the line is named in totalMessage().
    static InvoiceLines read(DataControl& adodc2);

    // A column as its box holds it: one line per sale.
    QString text(Column column) const;
    // Total Due as shown: empty when the sum leaves the range of amounts.
    QString totalText() const;
    // What the user is told about the total: the lines it leaves out, or
    // that it left the range; empty when it is whole.
    QString totalMessage() const;

    int saleCount = 0;
    bool firstSalePaid = false;  // "PAID" in the first sale
    QString clientName;
    Currency total;
    bool totalInRange = true;
    // The sub-totals left out: "Line 2 (Beta): the SubTotal is empty."
    QStringList leftOut;
    std::array<QStringList, ColumnCount> columns;
};

}  // namespace mervalis
