#include "invoice/invoice_document.h"
#include "invoice/invoice_painter.h"
#include "invoice/invoice_window.h"

#include "support/test_env.h"
#include "support/widgets.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

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

}  // namespace

TEST(InvoiceDocument, IsFilledFromTheScreenWithSenderBlockColumnsAndSwitches)
{
    ensureApplication();
    InvoiceScreen s = sampleScreen();
    InvoiceDocument d = fillInvoice(s);

    // The layout: the sender block on top, the body below it, on 9,000 twips.
    EXPECT_EQ(d.sectionTop("Section4"), 0);
    EXPECT_EQ(d.sectionTop("Section2"), 3345);
    EXPECT_EQ(d.pageRect("Section2", "Label27"), QRect(0, 6345, 2265, 255));
    for (const DocumentSection& section : d.sections()) {
        for (const DocumentLabel& label : section.labels) {
            EXPECT_LE(label.rect.right(), InvoiceDocument::kReportWidth) << label.name.toStdString();
            EXPECT_LE(label.rect.bottom(), section.height) << label.name.toStdString();
            // Each style fits the height of its label.
            EXPECT_LE(QFontMetricsF(InvoicePainter::fontOf(label.font)).height(), label.rect.height())
                << label.name.toStdString();
        }
    }

    // Client block, headings, reference, columns, total and sender block.
    EXPECT_EQ(text(d, "Section2", "label25"), "Ann Lee");
    EXPECT_EQ(text(d, "Section2", "label19"), "1 High St, Unit 2");
    EXPECT_EQ(text(d, "Section2", "label1"), "Leeds, LS1 1AA");
    EXPECT_EQ(text(d, "Section2", "label22"), "Tel: 0113 1  0113 2");
    EXPECT_EQ(text(d, "Section2", "label24"), "Fax: ");  // a client without fax still shows the caption
    EXPECT_EQ(text(d, "Section2", "label12"), "Date");
    EXPECT_EQ(text(d, "Section2", "label36"), "Ref: INV-7");
    EXPECT_EQ(text(d, "Section2", "label6"), "\n5\n0");
    EXPECT_EQ(InvoicePainter::drawnLines(*d.label("Section2", "label6")), QStringList({"", "5", "0"}));
    EXPECT_EQ(text(d, "Section2", "label20"), "Total : ");
    EXPECT_EQ(text(d, "Section2", "label18"), "35.5");
    EXPECT_EQ(text(d, "Section4", "label32"), "9 Low Rd Floor 3, York, YO1 9ZZ, UK");
    EXPECT_EQ(text(d, "Section4", "label33"), "Tel: 01904 1  01904 2");
    EXPECT_EQ(text(d, "Section4", "label35"), "Fax: 01904 3");

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
        EXPECT_TRUE(InvoicePainter::drawnLines(*d.label("Section2", name)).isEmpty()) << name;
    }
    for (const char* name : {"label9", "label2", "label10", "label3", "label11", "label4", "label12", "label5",
                             "label30", "label29"}) {
        EXPECT_TRUE(shown(d, name)) << name;
        EXPECT_EQ(d.label("Section2", name)->rect, designed.label("Section2", name)->rect) << name;
    }
}

TEST(InvoiceDocument, PdfPutsTheTextWhereTheModelPutsIt)
{
    ensureApplication();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("invoice.pdf");
    InvoiceScreen s = sampleScreen();
    s.products = "Alpha\nBeta\nGamma-with-a-name-far-too-long-for-the-product-column";
    const InvoiceDocument d = fillInvoice(s);
    ScriptedDialogs dialogs;
    InvoiceWindow window(d, s.referenceId, dialogs);
    ASSERT_TRUE(window.writePdf(pdf));
    EXPECT_EQ(modeOf(pdf), "0600");  // the owner's alone
    const QList<Word> words = pdfWords(pdf);
    ASSERT_FALSE(words.isEmpty()) << "pdftotext (poppler-utils) read nothing";

    auto find = [&words](const QString& text) {
        for (const Word& w : words) {
            if (w.text == text) return w;
        }
        return Word{};
    };
    auto within = [](const QRectF& inner, const QRectF& outer) {
        return outer.adjusted(-1, -1, 1, 1).contains(inner);
    };
    const Word title = find("INVOICE");
    EXPECT_TRUE(within(title.box, onPage(d.pageRect("Section2", "label27")))) << title.box.y();
    const Word ref = find("Ref:");
    const Word id = find("INV-7");
    EXPECT_TRUE(within(ref.box, onPage(d.pageRect("Section2", "label36"))));
    EXPECT_TRUE(within(id.box, onPage(d.pageRect("Section2", "label36"))));
    EXPECT_LT(ref.box.right(), id.box.left());
    const Word total = find("35.5");
    EXPECT_TRUE(within(total.box, onPage(d.pageRect("Section2", "label18"))));

    // The second line of the product column stands on its line, beside the
    // second line of the sub-total column.
    const DocumentLabel& products = *d.label("Section2", "label4");
    const double line = QFontMetricsF(InvoicePainter::fontOf(products.font)).height();
    QRectF secondLine = d.pageRect("Section2", "label4");
    secondLine.setTop(secondLine.top() + line);
    secondLine.setHeight(line);
    const Word beta = find("Beta");
    EXPECT_TRUE(within(beta.box, onPage(secondLine))) << beta.box.y();
    const Word subTotal = find("20.5");
    EXPECT_NEAR(subTotal.box.top(), beta.box.top(), 0.5);
    // The long name ends at the column's edge, short of the next column.
    for (const Word& w : words) {
        if (w.text.startsWith("Gamma")) {
            EXPECT_LE(w.box.right(), onPage(d.pageRect("Section2", "label4")).right() + 0.5);
            EXPECT_LT(w.text.size(), QString("Gamma-with-a-name-far-too-long-for-the-product-column").size());
        }
    }
    // The sender block heads the page.
    EXPECT_TRUE(within(find("Own").box, onPage(d.pageRect("Section4", "label16"))));
}

TEST(InvoiceWindow, PrintsWithCtrlPAndSavesAsPdfUnderTheReferenceIdInTheDocumentsFolder)
{
    TestLedger l;
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    auto* window = new InvoiceWindow(fillInvoice(sampleScreen()), "INV/7", l.dialogs);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    EXPECT_EQ(window->printAction->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_TRUE(window->printAction->toolTip().contains("Ctrl+P"));
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_NE(window->printDialog(), nullptr);
    EXPECT_TRUE(window->printDialog()->isVisible());
    window->printDialog()->reject();

    // The file dialog is Qt's own and proposes <reference ID>.pdf in Documents.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(window->proposedPdfPath(), QDir(documents).filePath("INV-7.pdf"));
    window->saveAction->trigger();
    QFileDialog* dialog = window->fileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(documents).absolutePath());
    EXPECT_EQ(dialog->selectedFiles(), QStringList({QDir(documents).filePath("INV-7.pdf")}));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::Save)->click();
    EXPECT_TRUE(readFile(QDir(documents).filePath("INV-7.pdf")).startsWith("%PDF"));

    // A file that cannot be written is said so, and nothing is left behind.
    EXPECT_FALSE(window->writePdf(l.env.file("missing/folder/x.pdf")));
    EXPECT_TRUE(l.dialogs.last().startsWith("The invoice could not be saved as "));
    window->close();
}
