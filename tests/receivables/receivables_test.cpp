#include "app/form1.h"
#include "data/dates.h"
#include "data/money.h"
#include "invoice/document_window.h"
#include "invoice/invoice_tab.h"
#include "receivables/outstanding_model.h"
#include "receivables/outstanding_window.h"
#include "receivables/statement_document.h"
#include "support/start.h"
#include "support/test_env.h"
#include "support/widgets.h"
#include "ui/drop_down_combo.h"

#include <QHeaderView>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>

#include <csignal>
#include <sys/resource.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

const QDate kToday(2026, 3, 31);

struct Sale {
    QString id, client, subTotal, paid;
    int daysAgo;
};

void addSales(TestLedger& l, const QList<Sale>& sales, const QDate& today)
{
    for (const Sale& s : sales) {
        const QDate d = today.addDays(-s.daysAgo);
        const QString id = s.id.isNull() ? "NULL" : "'" + s.id + "'";
        l.env.exec(QString("INSERT INTO Mervalis2 (ReferenceID, ClientName, AssociatedCompany, SubTotal, TotalDue, "
                           "PAID, SellDate, Day, Month, Year) VALUES (%1, '%2', 'Own Ltd', %3, %3, '%4', '%5', %6, "
                           "'%7', '%8')")
                       .arg(id, QString(s.client).replace("'", "''"), s.subTotal, s.paid, shortDateText(d))
                       .arg(d.day())
                       .arg(d.month())
                       .arg(d.year()));
    }
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

}  // namespace

TEST(Receivables, OweTheUnpaidSalesOfEachInvoiceInItsAgeBandAsAHandWrittenSumDoes)
{
    TestLedger l;
    // Band edges; "INV7" and "inv7" as one invoice of a client with an
    // apostrophe; a line added to an invoice after it was paid, owed since
    // the invoice's first sale; a sale on no invoice; an invoice paid in full.
    addSales(l,
             {{"B30", "Acme", "10", "unpaid", 30},   {"B31", "Acme", "20", "unpaid", 31},
              {"B60", "Acme", "40", "unpaid", 60},   {"B61", "Acme", "80", "unpaid", 61},
              {"B90", "Acme", "160", "unpaid", 90},  {"B91", "Acme", "320.5", "unpaid", 91},
              {"INV7", "O'Brien", "1.5", "unpaid", 5}, {"inv7", "O'Brien", "2.25", "unpaid", 3},
              {"LATE", "Acme", "100", "PAID", 200},   {"LATE", "Acme", "7", "unpaid", 10},
              {"", "Acme", "5", "unpaid", 1},         {QString(), "Acme", "6", "unpaid", 1},
              {"DONE", "Acme", "999", "PAID", 1}},
             kToday);
    Receivables owed;
    ASSERT_TRUE(readReceivables(l.store->adodc2, &owed)) << l.dialogs.last().toStdString();
    const std::map<QString, std::tuple<int, QString, QString>> expected{
        {"B30", {1, "10", "0-30 days"}},     {"B31", {1, "20", "31-60 days"}},
        {"B60", {1, "40", "31-60 days"}},    {"B61", {1, "80", "61-90 days"}},
        {"B90", {1, "160", "61-90 days"}},   {"B91", {1, "320.5", "Over 90 days"}},
        {"INV7", {2, "3.75", "0-30 days"}},  {"LATE", {1, "7", "Over 90 days"}}};
    ASSERT_EQ(owed.invoices.size(), qsizetype(expected.size()));
    QList<const OutstandingInvoice*> all;
    for (const OutstandingInvoice& invoice : owed.invoices) {
        const auto [lines, due, band] = expected.at(invoice.referenceId.toUpper());
        EXPECT_EQ(invoice.unpaidLines, lines) << invoice.referenceId.toStdString();
        EXPECT_EQ(invoice.due->storedText(), due) << invoice.referenceId.toStdString();
        EXPECT_EQ(ageBandText(ageBandOf(invoice.date, kToday)), band) << invoice.referenceId.toStdString();
        all << &invoice;
    }
    EXPECT_EQ(owed.salesWithoutReference, 2);
    EXPECT_EQ(owed.owedWithoutReference->storedText(), "11");
    const AgedTotals totals = agedTotals(all, kToday);
    const QString sum = l.env.scalar("SELECT SUM(SubTotal) FROM Mervalis2 WHERE (PAID IS NULL OR PAID <> 'PAID') "
                                     "AND ReferenceID <> ''");
    EXPECT_EQ(totals.total->toDouble(), sum.toDouble());
    EXPECT_EQ(totals.band(AgeBand::UpTo30)->storedText(), "13.75");
    EXPECT_EQ(totals.band(AgeBand::Over90)->storedText(), "327.5");
}

// 9.5e14 is beyond the amounts the ledger adds up, 8e14 is not, but two are:
// such figures are left empty and named, never shown wrong.
TEST(Receivables, FiguresBeyondTheLedgersAmountsAreLeftEmptyAndNamedAndMakeNoStatement)
{
    TestLedger l;
    addSales(l, {{"BIG", "Acme", "9.5e14", "unpaid", 100}, {"H1", "Acme", "8e14", "unpaid", 5},
                 {"H2", "Acme", "8e14", "unpaid", 6}, {"S", "Acme", "2", "unpaid", 40}},
             QDate::currentDate());
    OutstandingWindow w(*l.context, [](const QString&) {});
    ASSERT_TRUE(w.refresh());
    EXPECT_EQ(textsOf({w.bandTotals[0], w.bandTotals[1], w.bandTotals[3], w.grandTotal}),
              QStringList({"", "2", "", ""}));
    EXPECT_EQ(w.view->model()->index(0, OutstandingModel::AmountDue).data().toString(), "");  // BIG
    const QString beyond = "beyond the amounts the ledger adds up (below 900000000000000 either way): the amount due "
                           "of invoice BIG; the total of 0-30 days; the total of Over 90 days; the Total";
    EXPECT_EQ(w.unheldLabel->text(),
              "These figures are left empty, as " + beyond + ". Correct the amounts in the Sales Grid.");
    w.letterhead->setChecked(true);
    w.statementButton->click();
    EXPECT_TRUE(w.documents().isEmpty());
    EXPECT_TRUE(l.dialogs.last().startsWith("The statement was not made, as these figures are " + beyond));
}

// Under an English and a German desktop: figures as the region writes them on
// screen, with "." in the CSV file.
TEST(RegionalNumbersReceivables, TheWindowListsFiltersSortsRetrievesExportsAndMakesTheClientsStatement)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis (ClientName, City) VALUES ('O''Brien', 'Cork');"
               "INSERT INTO Mervalis3 (CompanyName, City) VALUES ('Own Ltd', 'York')");
    const QDate today = QDate::currentDate();
    addSales(l, {{"A1", "Acme", "10.5", "unpaid", 40}, {"OB1", "O'Brien", "2.25", "unpaid", 100},
                 {"OB2", "O'Brien", "30", "unpaid", 2}, {"OB2", "O'Brien", "1", "unpaid", 2}},
             today);
    Start start(l);
    Form1* form1 = start.form3.mainWindow();
    form1->SSTab1->setCurrentWidget(form1->invoiceTab);
    QPushButton* button = form1->invoiceTab->outstandingInvoicesButton;
    EXPECT_EQ(button->shortcut(), QKeySequence("Ctrl+O"));
    QTest::mouseClick(button, Qt::LeftButton);
    OutstandingWindow* w = form1->outstandingWindow();
    ASSERT_TRUE(w && w->isVisible());
    const auto n = [](const char* stored) { return shownNumber(stored); };
    EXPECT_EQ(textsOf(QList<QWidget*>{w->bandTotals[0], w->bandTotals[1], w->bandTotals[3], w->grandTotal, w->countLabel}),
              QStringList({"31", n("10.5"), n("2.25"), n("43.75"), "3 invoices"}));

    // A client typed in any case; the totals follow what is shown.
    QTest::keyClicks(w->clientFilter->lineEdit(), "o'brien");
    EXPECT_EQ(textsOf(QList<QWidget*>{w->grandTotal, w->countLabel}), QStringList({n("33.25"), "2 invoices"}));
    // Sorted by the amount due, shown as the region writes it.
    QHeaderView* header = w->view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(OutstandingModel::AmountDue) + 5, 5));
    EXPECT_EQ(w->view->model()->index(0, OutstandingModel::AmountDue).data().toString(), n("2.25"));
    EXPECT_EQ(w->view->model()->index(0, OutstandingModel::InvoiceDate).data().toString(),
              shortDateText(today.addDays(-100)));
    // Sorted by the days outstanding: the newest invoice first.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(OutstandingModel::DaysOutstanding) + 5, 5));
    EXPECT_EQ(w->view->model()->index(0, OutstandingModel::AmountDue).data().toString(), "31");

    // Enter retrieves the invoice on the Invoice tab.
    w->view->setFocus();
    w->view->setCurrentIndex(w->view->model()->index(0, 0));
    QTest::keyClick(w->view, Qt::Key_Return);
    EXPECT_EQ(textsOf(QList<QWidget*>{form1->invoiceTab->Combo4, form1->invoiceTab->Text10}), QStringList({"OB2", "31"}));

    // The export reads back through Python's csv module, as shown, "." and all.
    l.dialogs.answerFileName(l.env.file("owed.csv"));
    w->exportButton->click();
    const QList<QStringList> rows = csvRows(l.env.file("owed.csv"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(QStringList({rows[0].value(6), rows[1].value(0), rows[2].value(6)}), QStringList({"Amount due", "O'Brien", "2.25"}));
    EXPECT_EQ(QFile::permissions(l.env.file("owed.csv")) & 0x0077, 0);  // nothing for group and others
    l.dialogs.clear();

    // A statement needs a company to bill from, chosen as on the Invoice tab.
    w->statementButton->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"Choose a company to bill from."}));
    openList(w->billingCompany);
    choose(w->billingCompany, 0);
    w->statementButton->click();
    ASSERT_EQ(w->documents().size(), 1);
    DocumentWindow* statement = w->documents().first();
    EXPECT_EQ(statement->windowTitle(), "STATEMENT - O'Brien");
    EXPECT_TRUE(statement->proposedPdfPath().endsWith("/O'Brien statement " + today.toString(Qt::ISODate) + ".pdf"));
    ASSERT_TRUE(statement->writePdf(l.env.file("statement.pdf")));
    const QString text = pdfText(l.env.file("statement.pdf")).simplified();
    for (const QString& part : QStringList{"Own Ltd", "O'Brien", "STATEMENT", "OB1 " + n("2.25") + " 100",
                                "Total owed " + n("31") + " 0 0 " + n("2.25") + " " + n("33.25"), "Page 1 of 1"}) {
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << " in " << text.toStdString();
    }
}

TEST(Statement, SixtyInvoicesFlowOntoPagesEachWithHeadingsAndItsNumber)
{
    ensureApplication();
    StatementContent content;
    content.client.name = "Acme";
    content.company.name = "Own Ltd";
    content.date = kToday;
    for (int i = 0; i < 60; ++i) {
        content.invoices << OutstandingInvoice{"Acme", QString("S%1").arg(i, 2, 10, QChar('0')), "Own Ltd",
                                               kToday.addDays(-i), 1, Currency::fromUnits(10000)};
    }
    const DocumentPages pages = fillStatement(content);
    ASSERT_GE(pages.size(), 2);
    TestEnvironment env;
    ScriptedDialogs dialogs;
    DocumentWindow window(pages, {"STATEMENT - Acme", "Acme statement", "Statement", "statement"}, dialogs);
    ASSERT_TRUE(window.writePdf(env.file("s.pdf")));
    const QStringList printed = pdfText(env.file("s.pdf")).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), pages.size());
    int lines = 0;
    for (int p = 0; p < printed.size(); ++p) {
        const QString page = printed[p].simplified();
        EXPECT_TRUE(page.contains("Date Reference ID Amount due Days outstanding")) << p;
        EXPECT_TRUE(page.contains(QString("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p;
        EXPECT_EQ(page.contains("Total owed 31 29 0 0 60"), p + 1 == printed.size()) << p;
        lines += page.count(QRegularExpression(" S\\d\\d "));
    }
    EXPECT_EQ(lines, 60);
    const QString first = printed[0].simplified();  // the oldest invoice first
    EXPECT_TRUE(first.indexOf(" S59 ") >= 0 && first.indexOf(" S59 ") < first.indexOf(" S58 ")) << first.toStdString();
    EXPECT_TRUE(dialogs.texts().isEmpty());

    // A save that fails leaves no file and says so: into a "folder" that is a
    // file, and onto a full disk (a limit on file sizes stands in for one).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit normal{}, limit{};
    getrlimit(RLIMIT_FSIZE, &normal);
    for (const QString& path : {env.file("s.pdf/x.pdf"), env.file("full.pdf")}) {
        limit = {path.endsWith("full.pdf") ? 4096 : normal.rlim_cur, normal.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_FALSE(window.writePdf(path));
        setrlimit(RLIMIT_FSIZE, &normal);
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_TRUE(dialogs.last().contains(QRegularExpression("^The statement could not be saved as " +
                                                               QRegularExpression::escape(path) + ": .+\r\n\r\n"
                                                               "No file was written.$")));
        EXPECT_EQ(window.statusLine->text(), "Not saved as " + path);
    }
}
