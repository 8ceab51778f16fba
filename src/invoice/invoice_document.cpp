#include "invoice/invoice_document.h"

#include "invoice/tax_summary.h"

namespace mervalis {

namespace {

const QString kSenderSection = QStringLiteral("Section4");
const QString kBodySection = QStringLiteral("Section2");
const QString kColumns = QStringLiteral("sale columns");

using namespace styles;

// The tax summary's place: a table beneath Total Due, its amounts under
// the "Total : " caption and the total, down to the foot of the body.
constexpr int kSummaryTop = 7760;
constexpr int kSummaryBottom = 9604;
constexpr int kSummaryRowHeight = 210;
constexpr int kNotesWidthBesideSummary = 5200;
struct SummaryColumn {
    int left, width;
};
constexpr SummaryColumn kRateColumn{5300, 836};
constexpr SummaryColumn kNetColumn{6236, 1601};
constexpr SummaryColumn kTaxColumn{7937, 1000};

void addTaxSummary(InvoiceDocument& document, const TaxSummary& summary)
{
    const int rows = static_cast<int>(summary.rates.size()) + 2;
    const int rowHeight = std::min(kSummaryRowHeight, (kSummaryBottom - kSummaryTop) / rows);
    auto cell = [&](int row, const SummaryColumn& column, const QString& name, const QString& text, LabelFont font,
                    LabelKind kind, const QString& place) {
        DocumentLabel label;
        label.name = name;
        label.rect = QRect(column.left, kSummaryTop + row * rowHeight, column.width, rowHeight);
        label.text = text;
        label.font = font;
        label.kind = kind;
        label.place = place;
        document.addLabel(kBodySection, label);
    };
    const QString summaryPlace = QStringLiteral("tax summary, %1");
    cell(0, kRateColumn, QStringLiteral("taxRateHeading"), QStringLiteral("Tax rate"), kBold, kText,
         summaryPlace.arg(QStringLiteral("heading")));
    cell(0, kNetColumn, QStringLiteral("taxNetHeading"), QStringLiteral("Net amount"), kBold, kText,
         summaryPlace.arg(QStringLiteral("heading")));
    cell(0, kTaxColumn, QStringLiteral("taxAmountHeading"), QStringLiteral("Tax"), kBold, kText,
         summaryPlace.arg(QStringLiteral("heading")));
    int row = 1;
    for (const TaxRateTotal& rate : summary.rates) {
        const QString rateText = rate.rate.text() + QLatin1Char('%');
        cell(row, kRateColumn, QStringLiteral("taxRate%1").arg(row), rateText, kRegular, kFigure,
             summaryPlace.arg(QStringLiteral("rate")));
        cell(row, kNetColumn, QStringLiteral("taxNet%1").arg(row), rate.net.text(), kRegular, kFigure,
             summaryPlace.arg(QStringLiteral("net amount at %1").arg(rateText)));
        cell(row, kTaxColumn, QStringLiteral("taxAmount%1").arg(row), rate.tax.text(), kRegular, kFigure,
             summaryPlace.arg(QStringLiteral("tax at %1").arg(rateText)));
        ++row;
    }
    cell(row, kRateColumn, QStringLiteral("taxTotalCaption"), QStringLiteral("Total"), kBold, kText,
         summaryPlace.arg(QStringLiteral("total")));
    cell(row, kNetColumn, QStringLiteral("taxNetTotal"), summary.net.text(), kBold, kFigure,
         summaryPlace.arg(QStringLiteral("net total")));
    cell(row, kTaxColumn, QStringLiteral("taxTotal"), summary.tax.text(), kBold, kFigure,
         summaryPlace.arg(QStringLiteral("tax total")));
    // The notes keep their place and height and leave the summary its room.
    if (DocumentLabel* notes = document.label(kBodySection, QStringLiteral("label28"))) {
        notes->rect.setWidth(kNotesWidthBesideSummary);
    }
}

}  // namespace

QList<DocumentLabel> senderBlockDesign()
{
    return designedLabels({{"label16", 0, 0, 7370, 300, kLarge, "", kText, "company name"},
                           {"label32", 0, 300, 7370, 200, kRegular, "", kText, "company address"},
                           {"label33", 0, 500, 7365, 200, kRegular, "", kText, "company telephones"},
                           {"label34", 0, 700, 7370, 200, kRegular, "", kText, "company e-mail"},
                           {"label35", 0, 900, 7370, 200, kRegular, "", kText, "company fax"}});
}

QList<DocumentLabel> clientBlockDesign()
{
    return designedLabels({{"label23", 0, 0, 3500, 210, kBold, "", kText, "client name"},
                           {"label25", 0, 210, 3500, 195, kRegular, "", kText, "contact name"},
                           {"label19", 0, 400, 3500, 195, kRegular, "", kText, "client address"},
                           {"label1", 0, 600, 3500, 195, kRegular, "", kText, "client city and post code"},
                           {"label21", 0, 820, 3500, 195, kRegular, "", kText, "client country"},
                           {"label22", 0, 1134, 3500, 200, kRegular, "", kText, "client telephones"},
                           {"label24", 0, 1334, 3510, 200, kRegular, "", kText, "client fax"},
                           {"label26", 0, 1534, 3500, 200, kRegular, "", kText, "client e-mail"}});
}

void fillSenderBlock(Document& document, const QString& section, const PartyDetails& company)
{
    auto sender = [&](const char* name, const QString& text) { document.setText(section, QLatin1String(name), text); };
    sender("label16", company.name);
    sender("label32", company.address1 + QStringLiteral(" ") + company.address2 + QStringLiteral(", ") + company.city +
                          QStringLiteral(", ") + company.postCode + QStringLiteral(", ") + company.country);
    sender("label33", QStringLiteral("Tel: ") + company.telephone + QStringLiteral("  ") + company.telephone2);
    if (!company.fax.isEmpty()) sender("label35", QStringLiteral("Fax: ") + company.fax);
    sender("label34", QStringLiteral("Email: ") + company.email);
}

void fillClientBlock(Document& document, const QString& section, const PartyDetails& client)
{
    auto body = [&](const char* name, const QString& text) { document.setText(section, QLatin1String(name), text); };
    body("label23", client.name);
    body("label25", client.contactFirstName + QStringLiteral(" ") + client.contactSurname);
    body("label19", client.address1 + QStringLiteral(", ") + client.address2);
    body("label1", client.city + QStringLiteral(", ") + client.postCode);
    body("label21", client.country);
    body("label22", QStringLiteral("Tel: ") + client.telephone + QStringLiteral("  ") + client.telephone2);
    body("label24", QStringLiteral("Fax: ") + client.fax);
    body("label26", QStringLiteral("Email: ") + client.email);
}

InvoiceDocument InvoiceDocument::design()
{
    InvoiceDocument document;
    document.addSection(kSenderSection, 3345, senderBlockDesign());
    const QList<DocumentLabel> body = designedLabels(
        {{"label31", 0, 2300, 2500, 200, kRegular, "", kFigure, "invoice date"},
         {"label36", 3000, 2300, 4800, 200, kRegular, "", kText, "reference"},
         {"label27", 0, 3000, 2265, 255, kBold, "INVOICE", kText, "title"},
         {"label9", 0, 3500, 650, 195, kBold, "Amount", kText, "heading of the price column"},
         {"label10", 750, 3500, 1200, 195, kBold, "Quantity", kText, "heading of the quantity column"},
         {"label11", 2100, 3500, 2000, 195, kBold, "Product / Service", kText, "heading of the product column"},
         {"label12", 4200, 3500, 1300, 200, kBold, "Date", kText, "heading of the date column"},
         {"label13", 5600, 3500, 750, 200, kBold, "Discount", kText, "heading of the discount column"},
         {"label14", 6500, 3500, 700, 200, kBold, "Tax", kText, "heading of the tax column"},
         {"label15", 7300, 3500, 700, 200, kBold, "Freight", kText, "heading of the freight column"},
         {"label30", 8100, 3500, 750, 210, kBold, "SubTotal", kText, "heading of the sub-total column"},
         {"label2", 0, 4000, 650, 2265, kRegular, "", kFigure, "Price"},
         {"label3", 750, 4000, 1200, 2265, kRegular, "", kFigure, "Quantity"},
         {"label4", 2100, 4000, 2010, 2265, kRegular, "", kText, "Product / Service"},
         {"label5", 4200, 4000, 1305, 2265, kRegular, "", kFigure, "Date"},
         {"label6", 5600, 4000, 750, 2268, kRegular, "", kFigure, "Discount"},
         {"label7", 6500, 4000, 700, 2268, kRegular, "", kFigure, "Tax"},
         {"label8", 7300, 4000, 700, 2268, kRegular, "", kFigure, "Freight"},
         {"label29", 8100, 4000, 750, 2268, kRegular, "", kFigure, "SubTotal"},
         {"label17", 0, 6803, 8505, 450, kLarge, "", kText, "payment terms"},
         {"label20", 6236, 7500, 900, 195, kBold, "Total : ", kText, "total caption"},
         {"label18", 7937, 7500, 1000, 195, kBold, "", kFigure, "Total Due"},
         {"label28", 0, 8100, 8505, 1100, kRegular, "", kText, "notes"}});
    document.addSection(kBodySection, 9604, clientBlockDesign() + body);
    for (const char* empty : {"Section1", "Section3", "Section5"}) document.addSection(QLatin1String(empty), 0);
    // The sale columns: line n of each is sale n. Terms and notes are prose.
    for (const char* name : {"label2", "label3", "label4", "label5", "label6", "label7", "label8", "label29"}) {
        document.label(kBodySection, QLatin1String(name))->lineGroup = kColumns;
    }
    for (const char* name : {"label17", "label28"}) document.label(kBodySection, QLatin1String(name))->wrap = true;
    return document;
}

InvoiceDocument fillInvoice(const InvoiceScreen& screen, const TaxSummary* taxSummary)
{
    InvoiceDocument document = InvoiceDocument::design();
    auto body = [&document](const char* name, const QString& text) {
        document.setText(kBodySection, QLatin1String(name), text);
    };

    fillClientBlock(document, kBodySection, screen.client);

    body("label9", screen.priceHeading);
    body("label10", screen.quantityHeading);
    body("label11", screen.productHeading);
    body("label12", QStringLiteral("Date"));
    body("label13", screen.discountHeading);
    body("label14", screen.taxHeading);
    body("label15", screen.freightHeading);
    body("label30", screen.subTotalHeading);

    body("label31", screen.invoiceDate);
    body("label27", screen.title);
    body("label36", QStringLiteral("Ref: ") + screen.referenceId);

    // Each column is named in messages by the heading it prints under.
    const std::pair<const char*, const QString*> columns[] = {
        {"label2", &screen.prices},    {"label3", &screen.quantities}, {"label4", &screen.products},
        {"label5", &screen.sellDates}, {"label6", &screen.discounts},  {"label7", &screen.taxes},
        {"label8", &screen.freights},  {"label29", &screen.subTotals}};
    const char* const headings[] = {"label9",  "label10", "label11", "label12",
                                    "label13", "label14", "label15", "label30"};
    for (int c = 0; c < 8; ++c) {
        DocumentLabel* column = document.label(kBodySection, QLatin1String(columns[c].first));
        column->text = *columns[c].second;
        const QString heading = document.label(kBodySection, QLatin1String(headings[c]))->text.trimmed();
        if (!heading.isEmpty()) column->place = heading;
    }

    body("label18", screen.total);
    body("label17", screen.paymentTerms);
    body("label28", screen.notes);

    // Hidden columns leave their place empty; nothing moves into the gap.
    if (!screen.discountVisible) {
        document.hide(kBodySection, QStringLiteral("label13"));
        document.hide(kBodySection, QStringLiteral("label6"));
    }
    if (!screen.taxVisible) {
        document.hide(kBodySection, QStringLiteral("label14"));
        document.hide(kBodySection, QStringLiteral("label7"));
    }
    if (!screen.freightVisible) {
        document.hide(kBodySection, QStringLiteral("label15"));
        document.hide(kBodySection, QStringLiteral("label8"));
    }

    // Letterheaded paper leaves the sender block blank.
    if (!screen.letterhead) fillSenderBlock(document, kSenderSection, screen.company);

    if (taxSummary && taxSummary->holds()) addTaxSummary(document, *taxSummary);
    return document;
}

}  // namespace mervalis
