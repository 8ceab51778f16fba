#include "receivables/statement_document.h"

#include "data/dates.h"
#include "data/dialogs.h"
#include "invoice/document_pages.h"
#include "invoice/invoice_document.h"

#include <algorithm>

namespace mervalis {

namespace {

const QString kSender = QStringLiteral("Section4");
const QString kBody = QStringLiteral("Section2");
const QString kFooter = QStringLiteral("Section3");
const QString kLines = QStringLiteral("statement lines");

using namespace styles;

// Both layouts fill the printable height of a Letter page (12,960 twips),
// and so of an A4 one: the first under the sender block of an invoice.
constexpr int kSenderHeight = 3345;
constexpr int kFirstBodyHeight = 9300;
constexpr int kNextBodyHeight = 12645;
constexpr int kFooterHeight = 300;

// The four columns: left and width.
struct Column {
    const char* heading;
    const char* name;
    int left, width;
    LabelKind kind;
};
constexpr Column kColumns[] = {{"Date", "dates", 0, 1500, kFigure},
                               {"Reference ID", "references", 1700, 3300, kText},
                               {"Amount due", "amounts", 5200, 1800, kFigure},
                               {"Days outstanding", "days", 7200, 1800, kFigure}};

QString bandLabel(const char* part, int index) { return QStringLiteral("%1%2").arg(QLatin1String(part)).arg(index); }

// Headings at `top`, the columns beneath them down to `bottom`, and the
// totals beneath the columns: one column a band (and the total owed), a
// heading over its figure.
QList<DocumentLabel> table(int top, int bottom, const QStringList& bands)
{
    QList<DocumentLabel> labels;
    for (const Column& c : kColumns) {
        labels << designedLabel({c.heading, c.left, top, c.width, 200, kBold, c.heading, kText, c.heading});
        labels.last().name = QStringLiteral("%1Heading").arg(QLatin1String(c.name));
        DocumentLabel column = designedLabel({c.name, c.left, top + 300, c.width, bottom - top - 300 - 700, kRegular,
                                              "", c.kind, c.heading});
        column.lineGroup = kLines;
        labels << column;
    }
    const int width = Document::kReportWidth / static_cast<int>(bands.size());
    for (int b = 0; b < bands.size(); ++b) {
        DocumentLabel heading = designedLabel({"", b * width, bottom - 500, width - 100, 200, kBold, "", kText, ""});
        heading.name = bandLabel("bandHeading", b);
        heading.text = bands[b];
        heading.place = QStringLiteral("heading of %1").arg(bands[b]);
        DocumentLabel figure = designedLabel({"", b * width, bottom - 260, width - 100, 210, kBold, "", kFigure, ""});
        figure.name = bandLabel("bandTotal", b);
        figure.place = bands[b];
        labels << heading << figure;
    }
    return labels;
}

Document layout(bool first, const QStringList& bands)
{
    Document page;
    QList<DocumentLabel> body;
    if (first) {
        page.addSection(kSender, kSenderHeight, senderBlockDesign());
        body = clientBlockDesign();
        body << designedLabels({{"statementDate", 0, 2300, 2500, 200, kRegular, "", kFigure, "statement date"},
                                {"title", 0, 3000, 2265, 255, kBold, "STATEMENT", kText, "title"}});
        body << table(3500, kFirstBodyHeight, bands);
        page.addSection(kBody, kFirstBodyHeight, body);
    } else {
        body << designedLabel({"continued", 0, 0, Document::kReportWidth, 255, kBold, "", kText, "heading"});
        body << table(500, kNextBodyHeight, bands);
        page.addSection(kBody, kNextBodyHeight, body);
    }
    page.addSection(kFooter, kFooterHeight,
                    {designedLabel({"pageNumber", 7000, 50, 2000, 200, kRegular, "", kText, "page number"})});
    return page;
}

}  // namespace

DocumentPages fillStatement(const StatementContent& content)
{
    QList<const OutstandingInvoice*> invoices;
    for (const OutstandingInvoice& invoice : content.invoices) invoices << &invoice;
    std::stable_sort(invoices.begin(), invoices.end(), [](const OutstandingInvoice* a, const OutstandingInvoice* b) {
        if (a->date != b->date) return a->date < b->date;
        return a->referenceId.compare(b->referenceId, Qt::CaseInsensitive) < 0;
    });
    const AgedTotals totals = agedTotals(invoices, content.date);
    // "No date" stands among the bands only when an invoice has none.
    QList<AgeBand> bands{AgeBand::UpTo30, AgeBand::UpTo60, AgeBand::UpTo90, AgeBand::Over90};
    if (totals.band(AgeBand::Undated) != Currency()) bands << AgeBand::Undated;
    QStringList bandNames;
    for (AgeBand band : bands) bandNames << ageBandText(band);
    bandNames << QStringLiteral("Total owed");

    Document first = layout(true, bandNames);
    Document next = layout(false, bandNames);
    if (!content.letterhead) fillSenderBlock(first, kSender, content.company);
    fillClientBlock(first, kBody, content.client);
    const QString date = shortDateText(content.date);
    first.setText(kBody, QStringLiteral("statementDate"), date);
    next.setText(kBody, QStringLiteral("continued"),
                 QStringLiteral("STATEMENT - %1 - %2").arg(content.client.name, date));
    for (Document* page : {&first, &next}) {
        for (int b = 0; b < bandNames.size(); ++b) {
            page->setText(kBody, bandLabel("bandTotal", b),
                          figureText(b < bands.size() ? totals.band(bands[b]) : totals.total));
        }
    }

    QList<QStringList> rows;
    for (const OutstandingInvoice* invoice : invoices) {
        const std::optional<qint64> days = daysOutstanding(invoice->date, content.date);
        rows << QStringList{invoice->date.isValid() ? shortDateText(invoice->date) : QString(), invoice->referenceId,
                            figureText(invoice->due), days ? QString::number(*days) : QString()};
    }
    TableFlow flow{kBody, kLines, {}, kFooter, QStringLiteral("pageNumber")};
    for (int b = 0; b < bandNames.size(); ++b) {
        flow.lastPageOnly << bandLabel("bandHeading", b) << bandLabel("bandTotal", b);
    }
    return flowTable(first, next, flow, rows);
}

std::optional<DocumentPages> generateStatement(const StatementContent& content, DialogService& dialogs)
{
    // A statement goes to the client: no figure on it is left empty.
    QList<const OutstandingInvoice*> invoices;
    for (const OutstandingInvoice& invoice : content.invoices) invoices << &invoice;
    const QString unheld =
        unheldFiguresText(invoices, agedTotals(invoices, content.date), QStringLiteral("Total owed"));
    if (!unheld.isEmpty()) {
        dialogs.warn(QStringLiteral("The statement was not made, as these figures are %1.\r\n\r\nCorrect the "
                                    "amounts in the Sales Grid, and make the statement again.")
                         .arg(unheld));
        return std::nullopt;
    }
    DocumentPages pages = fillStatement(content);
    const QString advice = QStringLiteral("Correct the amounts in the Sales Grid, or give some of the sales a "
                                          "reference ID of their own, and make the statement again.");
    if (!mayShow(fitPages(pages), dialogs, advice)) return std::nullopt;
    return pages;
}

}  // namespace mervalis
