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

QString limitText() { return currencyText(Currency::kLimit); }

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
        const QString stored = adodc2.field(QStringLiteral("SubTotal"));
        CurrencyUnits subTotal = 0;
        if (readCurrency(stored, &subTotal)) {
            lines.totalInRange =
                lines.totalInRange && Currency::add(lines.total, Currency::fromUnits(subTotal), &lines.total);
            continue;
        }
        lines.columns[SubTotal].last().clear();
        const QString product = lines.columns[ProductService].last();
        const QString line = product.isEmpty() ? QStringLiteral("Line %1").arg(lines.saleCount)
                                               : QStringLiteral("Line %1 (%2)").arg(lines.saleCount).arg(product);
        bool number = false;
        stored.trimmed().toDouble(&number);
        if (stored.trimmed().isEmpty()) lines.leftOut << QStringLiteral("%1: the SubTotal is empty.").arg(line);
        else if (!number) lines.leftOut << QStringLiteral("%1: the SubTotal \"%2\" is not a number.").arg(line, stored);
        else lines.leftOut << QStringLiteral("%1: the SubTotal %2 is beyond the amounts the ledger adds up (below %3 "
                                             "either way).")
                                  .arg(line, shownNumber(stored), limitText());
    }
    return lines;
}

QString InvoiceLines::text(Column column) const
{
    return columns[column].join(QLatin1Char('\n'));
}

QString InvoiceLines::totalText() const { return totalInRange ? total.text() : QString(); }

QString InvoiceLines::totalMessage() const
{
    QStringList paragraphs;
    if (!leftOut.isEmpty()) {
        paragraphs << QStringLiteral("Total Due leaves out these lines:\r\n") + leftOut.join(QStringLiteral("\r\n"));
    }
    if (!totalInRange) {
        paragraphs << QStringLiteral("The SubTotals of this invoice add up to more than the ledger can add up "
                                     "(amounts stay below %1 either way), so Total Due is left empty.")
                          .arg(limitText());
    }
    if (paragraphs.isEmpty()) return {};
    return paragraphs.join(QStringLiteral("\r\n\r\n")) +
           QStringLiteral("\r\n\r\nCorrect the sales in the Sales Grid and retrieve the invoice again.");
}

}  // namespace mervalis
