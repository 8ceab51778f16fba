#pragma once

#include "data/money.h"

#include <QString>
#include <QStringList>

#include <array>

namespace mervalis {

class DataControl;

// The sales of one invoice as the Invoice tab shows them: every sale gives
// exactly one line of every column (an empty value an empty line), so that
// the columns stay aligned sale by sale; the client is that of the last
// sale, the total the sum of the sub-totals as a currency amount.
struct InvoiceLines {
    // The column boxes in their order: Text29, Text30, Text31, Text32,
    // Text35, Text36, Text37, Text64.
    enum Column { Amount, Quantity, ProductService, SellDate, Discount, Tax, Freight, SubTotal, ColumnCount };
    // The sale field a column shows.
    static QString fieldOf(Column column);

    // Reads every sale `adodc2` holds, walking it from the first. A
    // sub-total that is empty or no number shows an empty line and counts 0.
    static InvoiceLines read(DataControl& adodc2);

    // A column as its box holds it: one line per sale.
    QString text(Column column) const;

    int saleCount = 0;
    bool firstSalePaid = false;  // "PAID" in the first sale
    QString clientName;
    CurrencyUnits total = 0;
    std::array<QStringList, ColumnCount> columns;
};

}  // namespace mervalis
