#include "invoice/tax_summary.h"

#include "data/sale_amounts.h"
#include "invoice/document_model.h"

#include <algorithm>
#include <map>

namespace mervalis {

namespace {

// One figure of a line: its column's lines, its name, and where it goes.
struct Figure {
    const QString InvoiceScreen::*column;
    const char* name;
    double SaleAmounts::*amount;  // null for the SubTotal
    bool required;
};

const Figure kFigures[] = {
    {&InvoiceScreen::prices, "Price", &SaleAmounts::unitPrice, true},
    {&InvoiceScreen::quantities, "Quantity", &SaleAmounts::quantity, true},
    {&InvoiceScreen::discounts, "Discount", &SaleAmounts::discount, false},
    {&InvoiceScreen::taxes, "Tax", &SaleAmounts::tax, false},
    {&InvoiceScreen::freights, "Freight", &SaleAmounts::freight, false},
    {&InvoiceScreen::subTotals, "SubTotal", nullptr, true},
};

QString at(const QStringList& lines, qsizetype i) { return i < lines.size() ? lines[i] : QString(); }

}  // namespace

TaxSummary summariseTax(const InvoiceScreen& screen)
{
    TaxSummary summary;
    QList<QStringList> columns;
    qsizetype lineCount = 0;
    for (const Figure& figure : kFigures) {
        columns << textLines(screen.*figure.column);
        lineCount = std::max(lineCount, columns.last().size());
    }
    const QStringList products = textLines(screen.products);

    std::map<CurrencyUnits, TaxRateTotal> byRate;
    Currency sum;
    bool inRange = true;
    for (qsizetype i = 0; i < lineCount; ++i) {
        QStringList texts;
        for (const QStringList& column : columns) texts << at(column, i).trimmed();
        if (std::all_of(texts.cbegin(), texts.cend(), [](const QString& t) { return t.isEmpty(); })) continue;
        const QString product = at(products, i);
        const QString line = product.isEmpty() ? QStringLiteral("Line %1").arg(i + 1)
                                               : QStringLiteral("Line %1 (%2)").arg(i + 1).arg(product);
        SaleAmounts amounts;
        Currency subTotal;
        QStringList unread;
        for (qsizetype f = 0; f < columns.size(); ++f) {
            const Figure& figure = kFigures[f];
            const QString& text = texts[f];
            const bool read = figure.amount ? (text.isEmpty() && !figure.required) ||
                                                  readNumber(text, &(amounts.*figure.amount))
                                            : Currency::read(text, &subTotal);
            if (!read) unread << QStringLiteral("%1 \"%2\"").arg(QLatin1String(figure.name), text);
        }
        if (!unread.isEmpty()) {
            summary.problems << QStringLiteral("%1: %2 cannot be read as a number.")
                                    .arg(line, unread.join(QStringLiteral(", ")));
            continue;
        }
        SaleFigures figures;
        if (!saleFigures(amounts, &figures)) {
            summary.problems << QStringLiteral("%1: its figures come to more than the ledger can add up.").arg(line);
            continue;
        }
        if (!(figures.total == subTotal)) {
            summary.problems << QStringLiteral("%1: its SubTotal is %2, while its Price, Quantity, Freight, "
                                               "Discount and Tax give %3.")
                                    .arg(line, subTotal.text(), figures.total.text());
            continue;
        }
        TaxedLine taxed{static_cast<int>(i + 1), {}, figures.net, figures.tax, {}, {}, {}, {}, product};
        // In range: the sale's figures were worked out from them.
        Currency::fromDoubleCents(amounts.tax, &taxed.rate);
        Currency::fromDoubleCents(amounts.unitPrice, &taxed.price);
        Currency::fromDoubleCents(amounts.quantity, &taxed.quantity);
        Currency::fromDoubleCents(amounts.discount, &taxed.discount);
        Currency::fromDoubleCents(amounts.freight, &taxed.freight);
        const Currency rate = taxed.rate;
        summary.lines << taxed;
        TaxRateTotal& atRate = byRate.try_emplace(rate.units(), TaxRateTotal{rate, {}, {}}).first->second;
        inRange = inRange && Currency::add(atRate.net, figures.net, &atRate.net) &&
                  Currency::add(atRate.tax, figures.tax, &atRate.tax) &&
                  Currency::add(summary.net, figures.net, &summary.net) &&
                  Currency::add(summary.tax, figures.tax, &summary.tax) && Currency::add(sum, figures.total, &sum);
    }
    for (const auto& [units, atRate] : byRate) summary.rates << atRate;

    if (!summary.problems.isEmpty()) return summary;
    Currency totalDue;
    if (summary.lines.isEmpty()) {
        summary.problems << QStringLiteral("The invoice has no sale lines.");
    } else if (!inRange) {
        summary.problems << QStringLiteral("The lines add up to more than the ledger can add up.");
    } else if (!Currency::read(screen.total, &totalDue)) {
        summary.problems << QStringLiteral("Total Due \"%1\" cannot be read as a number.").arg(screen.total);
    } else if (!(totalDue == sum)) {
        summary.problems << QStringLiteral("Total Due is %1, while the lines' SubTotals add up to %2.")
                                .arg(totalDue.text(), sum.text());
    }
    return summary;
}

QString taxSummaryLeftOutMessage(const TaxSummary& summary)
{
    return QStringLiteral("The tax summary is left out of this document, because it would not add up:\r\n\r\n%1"
                          "\r\n\r\nA SubTotal that differs from its line was most likely changed in the Sales "
                          "Grid: correct the sale there and retrieve the invoice again to show the summary.")
        .arg(summary.problems.join(QStringLiteral("\r\n")));
}

}  // namespace mervalis
