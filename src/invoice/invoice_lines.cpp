#include "invoice/invoice_lines.h"

#include "data/data_control.h"

namespace mervalis {

namespace {

// A value on one line, so that a stored line break cannot push the later
// sales of its column down.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return value;
}

}  // namespace

QString InvoiceLines::fieldOf(Column column)
{
    static const char* const fields[ColumnCount] = {"Amount", "Quantity", "ProductService", "SellDate",
                                                    "Discount", "Tax", "Freight", "SubTotal"};
    return QLatin1String(fields[column]);
}

InvoiceLines InvoiceLines::read(DataControl& adodc2)
{
    InvoiceLines lines;
    adodc2.moveFirst();
    lines.firstSalePaid = !adodc2.eof() && adodc2.field(QStringLiteral("PAID")) == QLatin1String("PAID");
    for (; !adodc2.eof(); adodc2.moveNext()) {
        ++lines.saleCount;
        lines.clientName = adodc2.field(QStringLiteral("ClientName"));
        for (int c = 0; c < ColumnCount; ++c) {
            const QString value = oneLine(adodc2.field(fieldOf(static_cast<Column>(c))));
            // Numbers as the user reads them, with the region's separator.
            lines.columns[c] << (c == ProductService || c == SellDate ? value : shownNumber(value));
        }
        CurrencyUnits subTotal = 0;
        if (readCurrency(adodc2.field(fieldOf(SubTotal)), &subTotal)) lines.total += subTotal;
        else lines.columns[SubTotal].last().clear();
    }
    return lines;
}

QString InvoiceLines::text(Column column) const
{
    return columns[column].join(QLatin1Char('\n'));
}

}  // namespace mervalis
