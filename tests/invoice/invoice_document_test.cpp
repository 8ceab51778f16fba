#include "invoice/invoice_document.h"
#include "data/money.h"
#include "invoice/document_fit.h"
#include "invoice/invoice_generation.h"
#include "invoice/document_window.h"

#include "support/test_env.h"
#include "support/widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

using namespace mervalis;
using namespace mervalis::test;

namespace {

InvoiceScreen sampleScreen()
{
    InvoiceScreen s;
    s.client = {"Acme Ltd", "Ann", "Lee", "1 High St", "Unit 2", "Leeds", "LS1 1AA", "UK", "0113 1", "0113 2",
                "", "ann@acme.example"};
    s.company = {"Own Ltd", "Bob", "Roe", "9 Low Rd", "Floor 3", "York", "YO1 9ZZ", "UK", "01904 1", "01904 2",
                 "01904 3", "bob@own.example"};
    s.referenceId = "INV-7";
    s.title = "INVOICE";
    s.invoiceDate = "6 Feb 2026";
    s.priceHeading = "Price";
    s.quantityHeading = "Quantity";
    s.productHeading = "Product / Service";
    s.discountHeading = "Discount";
    s.taxHeading = "Tax";
    s.freightHeading = "Freight";
    s.subTotalHeading = "SubTotal";
    s.prices = "10\n20.5\n5";
    s.quantities = "1\n2\n3";
    s.products = "Alpha\nBeta\nGamma";
    s.sellDates = "1 Mar 2024\n2 Mar 2024\n3 Mar 2024";
    s.discounts = "\n5\n0";
    s.taxes = "0\n20\n0";
    s.freights = "0\n1.5\n0";
    s.subTotals = "10\n20.5\n5";
    s.total = "35.5";
    s.paymentTerms = "NET 30";
    s.notes = "Thank you\nSee you soon";
    return s;
}

QString text(const InvoiceDocument& d, const char* section, const char* name)
{
    const DocumentLabel* label = d.label(section, name);
    return label ? label->text : "<missing>";
}

QStringList drawn(const DocumentLabel& label)
{
    QStringList lines;
    for (const FittedLine& line : fitLabel(label).lines) lines << line.text;
    return lines;
}

bool shown(const InvoiceDocument& d, const char* name) { return d.label("Section2", name)->visible; }

// A word of pdftotext -bbox output, in points from the page's top-left.
struct Word {
    QString text;
    QRectF box;
};

QList<Word> pdfWords(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Word{m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return words;
}

// A rectangle of the printable area, in twips, as points on the page.
QRectF onPage(const QRectF& twipsRect)
{
    const double margin = InvoiceDocument::kMargin / 20.0;
    return QRectF(margin + twipsRect.x() / 20, margin + twipsRect.y() / 20, twipsRect.width() / 20,
                  twipsRect.height() / 20);
}

// The document as a PDF, read back by pdftotext.
QList<Word> wordsOf(const InvoiceDocument& d)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    DocumentWindow window({d}, {"INVOICE - Ref: INV-7", "INV-7", "Invoice", "invoice"}, dialogs);
    EXPECT_TRUE(window.writePdf(dir.filePath("invoice.pdf")));
    EXPECT_EQ(modeOf(dir.filePath("invoice.pdf")), "0600");  // the owner's alone
    return pdfWords(dir.filePath("invoice.pdf"));
}

// The words drawn within a label's rectangle.
QString wordsIn(const QList<Word>& words, const InvoiceDocument& d, const char* section, const char* name)
{
    const QRectF rect = onPage(d.pageRect(section, name)).adjusted(-1, -1, 1, 1);
    QStringList inside;
    for (const Word& w : words) {
        if (rect.contains(w.box)) inside << w.text;
    }
    return inside.join(' ');
}

}  // namespace

TEST(InvoiceDocument, IsFilledFromTheScreenWithSenderBlockColumnsAndSwitches)
{
    ensureApplication();
    InvoiceScreen s = sampleScreen();
    InvoiceDocument d = fillInvoice(s);

    // Every label within the report's width and its section, its style fitting its height.
    for (const DocumentSection& section : d.sections()) {
        for (const DocumentLabel& label : section.labels) {
            EXPECT_LE(label.rect.right(), InvoiceDocument::kReportWidth) << label.name.toStdString();
            EXPECT_LE(label.rect.bottom(), section.height) << label.name.toStdString();
            const QFont font = documentFont(pixelSizeOf(label.font), label.font.bold);
            EXPECT_LE(QFontMetricsF(font).height(), label.rect.height())
                << label.name.toStdString();
        }
    }

    // Client block, headings, reference, columns, total and sender block; a
    // client without fax still shows the caption.
    const std::tuple<const char*, const char*, QString> filled[] = {
        {"Section2", "label25", "Ann Lee"},        {"Section2", "label19", "1 High St, Unit 2"},
        {"Section2", "label1", "Leeds, LS1 1AA"},  {"Section2", "label22", "Tel: 0113 1  0113 2"},
        {"Section2", "label24", "Fax: "},          {"Section2", "label12", "Date"},
        {"Section2", "label36", "Ref: INV-7"},     {"Section2", "label6", "\n5\n0"},
        {"Section2", "label20", "Total : "},       {"Section2", "label18", "35.5"},
        {"Section4", "label32", "9 Low Rd Floor 3, York, YO1 9ZZ, UK"},
        {"Section4", "label33", "Tel: 01904 1  01904 2"}, {"Section4", "label35", "Fax: 01904 3"}};
    for (const auto& [section, name, expected] : filled) EXPECT_EQ(text(d, section, name), expected) << name;
    EXPECT_EQ(drawn(*d.label("Section2", "label6")), QStringList({"", "5", "0"}));

    // A company without fax: no fax line at all.
    s.company.fax.clear();
    EXPECT_EQ(text(fillInvoice(s), "Section4", "label35"), "");

    // Letterheaded paper: the sender block stays blank.
    s.letterhead = true;
    d = fillInvoice(s);
    for (const char* name : {"label16", "label32", "label33", "label34", "label35"}) {
        EXPECT_EQ(text(d, "Section4", name), "") << name;
    }
    EXPECT_EQ(text(d, "Section2", "label23"), "Acme Ltd");

    // "Hours" heads the quantity column; the three switches hide their
    // headings and columns, and nothing moves into the gaps.
    s.quantityHeading = "Hours";
    s.discountVisible = s.taxVisible = s.freightVisible = false;
    d = fillInvoice(s);
    const InvoiceDocument designed = InvoiceDocument::design();
    EXPECT_EQ(text(d, "Section2", "label10"), "Hours");
    for (const char* name : {"label13", "label6", "label14", "label7", "label15", "label8"}) {
        EXPECT_FALSE(shown(d, name)) << name;
        EXPECT_TRUE(drawn(*d.label("Section2", name)).isEmpty()) << name;
    }
    for (const char* name : {"label9", "label2", "label10", "label3", "label11", "label4", "label12", "label5",
                             "label30", "label29"}) {
        EXPECT_TRUE(shown(d, name)) << name;
        EXPECT_EQ(d.label("Section2", name)->rect, designed.label("Section2", name)->rect) << name;
    }
}

TEST(InvoiceDocument, PdfDrawsEveryTextInItsLabelAndTooWideOnesWholeAtASmallerSize)
{
    ensureApplication();
    InvoiceScreen s = sampleScreen();
    s.company.name = "Northern Consolidated Engineering and Trading Company Ltd";  // 57 characters
    s.client.name = "Acme Consolidated Holdings of the Northern Territories Ltd";
    s.invoiceDate = "31 December 2024";
    s.prices = "12345.67\n-1234.56\n5";
    s.products = "Network installation and setup\nBeta\nGamma";
    s.sellDates = "31 December 2024\n2 Mar 2024\n3 Mar 2024";
    s.subTotals = "10\n123456.78\n5";
    s.notes = "Note 1\nNote 2\nNote 3\nNote 4\nNote 5\nNote 6\nNote 7\n";
    ScriptedDialogs dialogs;
    const std::optional<InvoiceDocument> d = generateInvoice(s, dialogs);
    ASSERT_TRUE(d);
    EXPECT_TRUE(dialogs.texts().isEmpty());
    const QList<Word> words = wordsOf(*d);
    ASSERT_FALSE(words.isEmpty()) << "pdftotext (poppler-utils) read nothing";
    const std::tuple<const char*, const char*, QString> cases[] = {
        {"Section4", "label16", s.company.name},
        {"Section4", "label32", "9 Low Rd Floor 3, York, YO1 9ZZ, UK"},
        {"Section2", "label27", "INVOICE"},
        {"Section2", "label36", "Ref: INV-7"},
        {"Section2", "label18", "35.5"},
        {"Section2", "label23", s.client.name},
        {"Section2", "label31", s.invoiceDate},
        {"Section2", "label2", "12345.67 -1234.56 5"},
        {"Section2", "label4", "Network installation and setup Beta Gamma"},
        {"Section2", "label5", "31 December 2024 2 Mar 2024 3 Mar 2024"},
        {"Section2", "label29", "10 123456.78 5"},
        {"Section2", "label28", "Note 1 Note 2 Note 3 Note 4 Note 5 Note 6 Note 7"}};
    for (const auto& [section, name, text] : cases) EXPECT_EQ(wordsIn(words, *d, section, name), text) << name;
    // Line n of every column stands on one baseline, a smaller figure too.
    QList<double> secondLine;
    for (const Word& w : words) {
        if (QStringList({"-1234.56", "Beta", "123456.78", "20"}).contains(w.text)) secondLine << w.box.bottom();
    }
    ASSERT_EQ(secondLine.size(), 4);
    std::sort(secondLine.begin(), secondLine.end());
    EXPECT_NEAR(secondLine.first(), secondLine.last(), 1.5);
}

TEST(InvoiceDocument, WhatDoesNotFitEvenAt6PointIsToldBeforeTheDocumentOpens)
{
    ensureApplication();
    const QString twelve = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12";
    const QString longProduct = QString("Network installation ").repeated(15);
    const QString cutQuestion = "These texts do not fit their places, even at 6 pt, and will be cut on the document:"
                                "\r\n\r\nProduct / Service, line 1: \"Network installation Network installatio..."
                                "\"\r\n\r\nOpen the document anyway?";
    const QString notMade = "The document cannot be made: these figures do not fit their places on it, even at 6 pt, "
                            "and a figure is never cut:\r\n\r\n%1\r\n\r\nShorten them on the Invoice tab, or give "
                            "some of the sales a reference ID of their own, and generate the document again.";
    struct Case {
        QString prices, products, total;
        DialogService::Answer answer;
        QString told;
        bool made;
    } cases[] = {
        // Sixteen lines fit at a smaller size, not eighteen.
        {twelve + "\n13\n14\n15\n16\n", "Alpha", "35.5", DialogService::Answer::Yes, "", true},
        {twelve + "\n13\n14\n15\n16\n17\n18", "Alpha", "35.5", DialogService::Answer::Yes,
         notMade.arg("Price, lines 17 to 18 (room for 16 lines): 17, 18"), false},
        {"10", "Alpha", "123456789012345678901234567890.25", DialogService::Answer::Yes,
         notMade.arg("Total Due: 123456789012345678901234567890.25"), false},
        {"10", longProduct, "35.5", DialogService::Answer::No, cutQuestion, false},
        {"10", longProduct, "35.5", DialogService::Answer::Yes, cutQuestion, true}};
    for (const Case& c : cases) {
        InvoiceScreen s = sampleScreen();
        s.prices = c.prices;
        s.products = c.products;
        s.total = c.total;
        ScriptedDialogs dialogs;
        dialogs.answer(c.answer);
        const std::optional<InvoiceDocument> d = generateInvoice(s, dialogs);
        EXPECT_EQ(dialogs.texts(), c.told.isEmpty() ? QStringList() : QStringList{c.told}) << c.prices.toStdString();
        ASSERT_EQ(d.has_value(), c.made);
        if (!d || c.products == "Alpha") continue;
        // The long product keeps to its column: the date column beside it holds its own text only.
        const QList<Word> words = wordsOf(*d);
        EXPECT_TRUE(longProduct.startsWith(wordsIn(words, *d, "Section2", "label4")));
        EXPECT_EQ(wordsIn(words, *d, "Section2", "label5"), "1 Mar 2024 2 Mar 2024 3 Mar 2024");
    }
}

// Under an English and a German desktop: figures are read and shown with the region's separator.
TEST(RegionalNumbersTaxSummary, ThreeLinesAtTwoRatesAddUpToTotalDueBeneathItAndAnEditedLineIsTold)
{
    ensureApplication();
    // 10 x 3 at 20 % is 30 + 6; 19.99 x 3 at 17.5 % is 59.97 + 10.49; 5 x 2 + 1 freight - 1 discount at 20 % is 10 + 2.
    InvoiceScreen s = sampleScreen();
    s.prices = "10\n19.99\n5";
    s.quantities = "3\n3\n2";
    s.discounts = "\n0\n1";
    s.taxes = "20\n17.5\n20";
    s.freights = "0\n0\n1";
    s.subTotals = "36\n70.46\n12";
    s.total = "118.46";
    s.taxSummary = true;
    ScriptedDialogs dialogs;
    const std::optional<InvoiceDocument> d = generateInvoice(s, dialogs);
    ASSERT_TRUE(d);
    EXPECT_TRUE(dialogs.texts().isEmpty());
    const QList<Word> words = wordsOf(*d);
    const auto n = [](const char* stored) { return shownNumber(stored); };
    const std::pair<const char*, QString> rows[] = {
        {"taxRateHeading", "Tax rate"}, {"taxNetHeading", "Net amount"}, {"taxRate1", n("17.5") + "%"},
        {"taxNet1", n("59.97")},        {"taxAmount1", n("10.49")},      {"taxRate2", "20%"},
        {"taxNet2", "40"},              {"taxAmount2", "8"},             {"taxNetTotal", n("99.97")},
        {"taxTotal", n("18.49")}};
    for (const auto& [name, text] : rows) EXPECT_EQ(wordsIn(words, *d, "Section2", name), text) << name;
    // The summary lies beneath Total Due and touches no other label.
    const QRect total = d->label("Section2", "label18")->rect;
    for (const DocumentLabel& a : d->sections()[1].labels) {
        if (!a.name.startsWith("tax")) continue;
        EXPECT_GT(a.rect.top(), total.bottom()) << a.name.toStdString();
        for (const DocumentLabel& b : d->sections()[1].labels) {
            if (!b.name.startsWith("tax")) {
                EXPECT_FALSE(a.rect.intersects(b.rect)) << a.name.toStdString();
            }
        }
    }

    // A SubTotal edited in a grid, a Total Due edited on the tab, or a Price emptied: told, and no summary.
    const std::tuple<QString, QString, QString, QString> edits[] = {
        {s.prices, "36\n70\n12", "118",
         "Line 2 (Beta): its SubTotal is 70, while its Price, Quantity, Freight, Discount and Tax give " + n("70.46") + "."},
        {s.prices, s.subTotals, "118", "Total Due is 118, while the lines' SubTotals add up to " + n("118.46") + "."},
        {"\n19.99\n5", "0\n70.46\n12", "82.46", "Line 1 (Alpha): Price \"\" cannot be read as a number."}};
    for (const auto& [prices, subTotals, totalDue, told] : edits) {
        s.prices = prices;
        s.subTotals = subTotals;
        s.total = totalDue;
        const std::optional<InvoiceDocument> left = generateInvoice(s, dialogs);
        ASSERT_TRUE(left);
        EXPECT_EQ(dialogs.take(),
                  QStringList({"The tax summary is left out of this document, because it would not add up:\r\n\r\n" +
                               told +
                               "\r\n\r\nA SubTotal that differs from its line was most likely changed in the Sales "
                               "Grid: correct the sale there and retrieve the invoice again to show the summary."}));
        EXPECT_EQ(left->label("Section2", "taxTotal"), nullptr);
    }
}

TEST(DocumentWindow, PrintsWithCtrlPAndSavesAsPdfUnderTheReferenceIdInTheDocumentsFolder)
{
    TestLedger l;
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    auto* window = new DocumentWindow({fillInvoice(sampleScreen())}, {"INVOICE - Ref: INV/7", "INV/7", "Invoice", "invoice"},
                                      l.dialogs);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(window->printDialog() && window->printDialog()->isVisible());
    // Printing to a file proposes the file Save as PDF proposes, and writes it as Save as PDF does.
    auto* printFile = window->printDialog()->findChild<QLineEdit*>("filename");
    auto* printers = window->printDialog()->findChild<QComboBox*>("printers");
    ASSERT_TRUE(printFile && printers);
    EXPECT_EQ(printFile->text(), window->proposedPdfPath());
    printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
    printFile->setText(l.env.file("printed.pdf"));
    window->printDialog()->accept();
    EXPECT_EQ(window->statusLine->text(), "Saved as " + l.env.file("printed.pdf"));

    // The file dialog is Qt's own and proposes <reference ID>.pdf in Documents.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(window->proposedPdfPath(), QDir(documents).filePath("INV-7.pdf"));
    window->saveAction->trigger();
    QFileDialog* dialog = window->fileDialog();
    ASSERT_TRUE(dialog && dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(documents).absolutePath());
    EXPECT_EQ(dialog->selectedFiles(), QStringList({QDir(documents).filePath("INV-7.pdf")}));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::Save)->click();
    EXPECT_TRUE(readFile(QDir(documents).filePath("INV-7.pdf")).startsWith("%PDF"));
    // The window says where the file went, with no box to close.
    EXPECT_TRUE(window->statusLine->isVisible() &&
                window->statusLine->text() == "Saved as " + QDir(documents).filePath("INV-7.pdf"));
    EXPECT_TRUE(l.dialogs.texts().isEmpty());

    window->close();
}
