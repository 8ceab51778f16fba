#include "invoice/e_invoice.h"

#include "data/dates.h"
#include "data/sale_amounts.h"
#include "support/en16931.h"
#include "support/widgets.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

struct Line {
    double price, quantity;
    QString product;
    double discount, tax, freight;
};

// What the Invoice tab shows for these sales, their SubTotals and Total Due
// worked out as the sale entry stores them.
InvoiceScreen screenOf(const QList<Line>& lines, const QString& title = "INVOICE")
{
    InvoiceScreen s;
    s.client = {"Acme Ltd", "Ann", "Lee", "1 High St", "", "Leeds", "LS1 1AA", "UK", "0113 1", "", "", "a@acme.uk"};
    s.company = {"Own GmbH", "Bob", "Roe", "Hauptstr. 9", "", "Köln", "50667", "Germany", "0221 1", "", "", ""};
    s.referenceId = "INV-26";
    s.title = title;
    s.invoiceDate = shortDateText(QDate(2026, 2, 6));
    s.quantityHeading = "Quantity";
    s.productHeading = "Product / Service";
    s.paymentTerms = "NET 30";
    s.notes = "Thank you";
    QStringList columns[7];
    Currency total;
    for (const Line& l : lines) {
        SaleFigures figures;
        EXPECT_TRUE(saleFigures({l.price, l.quantity, l.discount, l.tax, l.freight}, &figures));
        total += figures.total;
        const double numbers[] = {l.price, l.quantity, l.discount, l.tax, l.freight};
        for (int c = 0; c < 5; ++c) columns[c] << QString::number(numbers[c]);
        columns[5] << l.product;
        columns[6] << figures.total.text();
    }
    for (auto [text, c] : {std::pair{&s.prices, 0}, {&s.quantities, 1}, {&s.discounts, 2}, {&s.taxes, 3},
                           {&s.freights, 4}, {&s.products, 5}, {&s.subTotals, 6}}) {
        *text = columns[c].join('\n');
    }
    s.total = total.text();
    return s;
}

const TaxDetails kSeller{"DE123456789", "DE", "EUR", "DE89370400440532013000", "DEUTDEFF", ""};
const TaxDetails kBuyer{"GB123456789", "GB", "", "", "", "PO-4711"};

EInvoice made(const InvoiceScreen& screen)
{
    const EInvoiceDraft draft = makeEInvoice(screen, kSeller, kBuyer);
    EXPECT_TRUE(draft.needs.isEmpty()) << draft.needs.join('\n').toStdString();
    return draft.invoice.value_or(EInvoice{});
}

}  // namespace

TEST(EInvoice, GeneratedInvoicesPassEn16931WithTheAmountDueOfTotalDue)
{
    // Two rates, a zero rate, discount and freight, names of every script.
    InvoiceScreen mixed = screenOf({{100, 2, "Beratung «Müller» & Co", 10, 19, 5},
                                    {50, 1, "日本茶 O'Cha", 0, 7, 0},
                                    {20, 3, "Zéro-rated books", 0, 0, 0}});
    mixed.client.name = "O'Brien & Søn Ελλάς";
    mixed.company.name = "Müller & Söhne GmbH";
    mixed.quantityHeading = "Hours";
    const EInvoice e = made(mixed);
    ASSERT_EQ(e.lines[0].adjustments.size(), 2);  // the freight charged, the discount allowed
    EXPECT_EQ(QStringList({e.lines[0].unitCode, e.lines[0].adjustments[0].charge ? "charge" : "allowance",
                           e.lines[0].adjustments[0].amount.storedText(), e.lines[0].adjustments[1].reasonCode,
                           QString(e.lines[2].category) + e.vat[0].category + e.vat[0].basis.storedText()}),
              QStringList({"HUR", "charge", "5", "95", "ZZ60"}));
    EXPECT_EQ(e.duePayable.storedText(), "345.55");  // 195 x 1.19 + 50 x 1.07 + 60

    // Twelve lines whose tax rounded line by line (12 x 0.03) is two cents
    // more than the rate's (0.342): the difference is the rounding amount.
    const EInvoice twelve = made(screenOf(QList<Line>(12, {0.15, 1, "Pen", 0, 19, 0})));
    EXPECT_EQ(QStringList({twelve.taxTotal.storedText(), twelve.rounding.storedText(), twelve.duePayable.storedText()}),
              QStringList({"0.34", "0.02", "2.16"}));

    // A credit note states what it credits: -25 at 20% is 25, and 30 is due
    // back where Total Due reads -30.
    const InvoiceScreen creditScreen = screenOf({{-25, 1, "Returned chair", 0, 20, 0}}, "CREDIT NOTE");
    const EInvoice credit = made(creditScreen);
    EXPECT_EQ(creditScreen.total, "-30");
    EXPECT_EQ(QStringList({QString::number(credit.typeCode), credit.lines[0].price.storedText(),
                           credit.lines[0].quantity.storedText(), credit.duePayable.storedText()}),
              QStringList({"381", "25", "1", "30"}));
    // In an invoice, a negative sale takes off by its quantity.
    const EInvoice refund =
        made(screenOf({{40, 1, "Desk", 0, 19, 0}, {-10, 2, "Voucher", 0, 19, 0}}, "AMENDED INVOICE"));
    EXPECT_EQ(QStringList({QString::number(refund.typeCode), refund.lines[1].price.storedText(),
                           refund.lines[1].quantity.storedText(), refund.duePayable.storedText()}),
              QStringList({"384", "10", "-2", "23.8"}));

    QTemporaryDir dir;
    QStringList files;
    for (const auto& [name, invoice] : {std::pair{"one-rate", made(screenOf({{10, 2, "Tea", 0, 19, 0}}))},
                                        {"mixed", e}, {"twelve", twelve}, {"credit", credit}, {"amended", refund}}) {
        files << dir.filePath(QString(name) + ".xml");
        writeFile(files.last(), ciiXml(invoice));
    }
    EXPECT_TRUE(readFile(files[1]).contains("<ram:Name>日本茶 O'Cha</ram:Name>"));
    QString why;
    const QString validator = en16931Validator(&why);
    if (validator.isEmpty()) GTEST_SKIP() << why.toStdString();
    EXPECT_EQ(failingEn16931(validator, files), QStringList());
}

TEST(EInvoice, SaysWhatItWouldNeed)
{
    InvoiceScreen screen = screenOf({{10, 1, "Tea", 0, -5, 0}});
    screen.paymentTerms.clear();
    screen.invoiceDate = "someday";
    const EInvoiceDraft draft = makeEInvoice(screen, std::nullopt, TaxDetails{"123", "XX", "", "", "", ""});
    EXPECT_FALSE(draft.invoice);
    ASSERT_EQ(draft.needs.size(), 5) << draft.needs.join('\n').toStdString();
    EXPECT_TRUE(draft.needs[0].startsWith("the tax details of the billing company \"Own GmbH\": its VAT ID"));
    EXPECT_TRUE(draft.needs[1].contains("\"123\" does not start with a country prefix"));
    EXPECT_TRUE(draft.needs[2].contains("\"XX\" is not in the ISO 3166 list"));
    EXPECT_TRUE(draft.needs[3].startsWith("an invoice date such as"));
    EXPECT_EQ(draft.needs[4], "line 1: a tax rate of 0 or more (it is -5%)");
}
