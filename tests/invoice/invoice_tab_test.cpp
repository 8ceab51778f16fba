#include "invoice/invoice_tab.h"

#include "data/data_control.h"
#include "data/dates.h"
#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "invoice/document_window.h"
#include "data/tax_details.h"
#include "support/en16931.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"
#include "ui/drop_down_combo.h"
#include "ui/list_fill.h"

#include <QDate>
#include <QProcess>

using namespace mervalis;
using namespace mervalis::test;

namespace {

const QString kPaid = "This invoice has been PAID.";
const QString kClearText = "Create text or clear";
const QString kCreditNoteAdvice =
    "Ensure that credits are added as seperate sales with a negative value. This way the total sales to the client "
    "will reflect the credit note.\r\n\r\ne.g.\r\nIf the credit is for (whatever currency)25, the sale should read "
    "-25.\r\n\r\nIf you associate the credit with the same reference ID, client and company name as the original "
    "invoice then it will appear in the same invoice, else you can create a seperate invoice / credit note by "
    "creating a seperate Reference ID.";

// The Invoice tab with the Client and Company tabs whose boxes it binds.
struct Tabs {
    explicit Tabs(TestLedger& l)
        : client(*l.context),
          company(*l.context),
          invoice(*l.context, InvoiceLinks{client.boxes(), client.Command2, company.boxes(), company.Command12})
    {
    }
    ClientTab client;
    CompanyTab company;
    InvoiceTab invoice;
};

struct Sale {
    QString id, client, amount, quantity, product, date, discount, tax, freight, subTotal, paid = "unpaid";
};

QString literal(const QString& value) { return value.isNull() ? "NULL" : "'" + QString(value).replace("'", "''") + "'"; }

void addSale(TestLedger& l, const Sale& s)
{
    QStringList values;
    for (const QString& v : {s.id, s.client, s.amount, s.quantity, s.product, s.date, s.discount, s.tax, s.freight,
                             s.subTotal, s.subTotal, s.paid}) {
        values << literal(v);
    }
    l.env.exec("INSERT INTO Mervalis2 (ReferenceID, ClientName, Amount, Quantity, ProductService, SellDate, "
               "Discount, Tax, Freight, SubTotal, TotalDue, PAID) VALUES (" + values.join(", ") + ")");
}

// Sales that only carry an ID and a payment status.
void addIds(TestLedger& l, const QList<std::pair<QString, QString>>& idsAndStatus)
{
    for (const auto& [id, paid] : idsAndStatus) addSale(l, {id, "Acme", "1", "1", "x", "1 Jan 2024", "0", "0", "0", "1", paid});
}

QList<QWidget*> columns(InvoiceTab& t)
{
    return {t.Text29, t.Text30, t.Text31, t.Text32, t.Text35, t.Text36, t.Text37, t.Text64};
}

void pick(QComboBox* combo, const QString& entry)
{
    openList(combo);
    const int index = combo->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << entry.toStdString();
    choose(combo, index);
}

// Types into an editable combo as a user does, replacing what it held.
void typeInto(QComboBox* combo, const QString& text)
{
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
}

}  // namespace

TEST(InvoiceTab, ShowsItsControlsInTheirPlacesWithCaptionsListsAndStartTexts)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;
    EXPECT_EQ(textsOf({tab.Combo4, tab.Text66, tab.Combo5, tab.Text10, tab.Combo17, tab.Combo6, tab.Combo11}),
              QStringList({"", "", "", "0", "INVOICE", "Quantity",
                           "Drop down to select or create your own or clear"}));
    EXPECT_EQ(tab.Text41->toPlainText().split('\n'),
              QStringList({"Or you can write notes here or clear", "e.g.", "Thankyou for your custom", ""}));
    // Titles, quantity headings and the 19 payment terms.
    const QStringList terms = entries(tab.Combo11);
    EXPECT_EQ(entries(tab.Combo17) + entries(tab.Combo6) + QStringList({terms.first(), terms.last()}) + terms.mid(4, 5) +
                  QStringList(QString::number(terms.size())),
              QStringList({"INVOICE", "CREDIT NOTE", "AMENDED INVOICE", "Hours", "Days",
                           "TO BE RECEIVED NOT 7 DAYS LATER THAN DATE OF INVOICE", "NET 30", "14 days", "21 days",
                           "30 days", "60 days", "90 days", "19"}));

    // The paid notice is red and hidden; the ship date is never shown; the
    // three columns visible, letterhead and outstanding off.
    EXPECT_TRUE(tab.Label63->isHidden() && tab.Text39->isHidden());
    EXPECT_EQ(tab.Label63->text(), "This invoice has been paid.");
    EXPECT_EQ(tab.Label63->palette().color(QPalette::WindowText), QColor(Qt::red));
    for (QCheckBox* box : {tab.Check6, tab.Check5, tab.Check7}) EXPECT_TRUE(box->isChecked() && box->text() == "Visible");
    EXPECT_FALSE(tab.Check4->isChecked() || tab.Check1->isChecked());
}

TEST(InvoiceTab, RetrievesTheSalesOfOneReferenceIdLineByLineWithTheirClientAndTotal)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;
    l.env.exec("INSERT INTO Mervalis (ClientName, City, Fax) VALUES ('Acme', 'Leeds', '0113'), "
               "('O''Brien & Co', 'Cork', '')");
    // An empty discount on the first sale stays on the first line.
    addSale(l, {"A-1", "Acme", "10", "1", "Alpha", "1 Mar 2024", QString(), "0", "0", "10", "PAID"});
    addSale(l, {"a-1", "Acme", "20.5", "2", "Beta\nextra", "2 Mar 2024", "5", "20", "1.5", "20.5"});
    addSale(l, {"A-1", "O'Brien & Co", "5", "3", "Gamma", "3 Mar 2024", "0", "0", "0", "5"});
    addSale(l, {"B'2", "O'Brien & Co", "7", "1", "Delta", "4 Mar 2024", "0", "0", "0", QString()});
    addSale(l, {"B'2", "O'Brien & Co", "8", "1", "Epsilon", "4 Mar 2024", "0", "0", "0", "8.25"});

    openList(tab.Combo4);
    EXPECT_EQ(entries(tab.Combo4), QStringList({"A-1", "a-1", "B'2"}));
    EXPECT_FALSE(t.client.Command2->isEnabled());
    // Case is ignored: "a-1" is the same invoice as "A-1".
    pick(tab.Combo4, "a-1");
    EXPECT_EQ(textsOf(columns(tab)), QStringList({"10\n20.5\n5", "1\n2\n3", "Alpha\nBeta extra\nGamma",
                                                  "1 Mar 2024\n2 Mar 2024\n3 Mar 2024", "\n5\n0", "0\n20\n0",
                                                  "0\n1.5\n0", "10\n20.5\n5"}));
    EXPECT_EQ(tab.Text10->text(), "35.5");
    // The client is the last sale's, bound into the Client tab's boxes; the
    // paid notice follows the first sale.
    EXPECT_EQ(tab.Text66->text(), "O'Brien & Co");
    EXPECT_EQ(textsOf({t.client.Text61, t.client.Text59}), QStringList({"O'Brien & Co", "Cork"}));
    EXPECT_FALSE(tab.Label63->isHidden());
    EXPECT_EQ(l.store->adodc2.recordCount(), 3);
    EXPECT_TRUE(l.dialogs.shown().empty());

    // The next invoice starts from the reset: no line of the first remains. A
    // sale without sub-total shows an empty line and counts 0.
    tab.Combo11->setEditText("NET 30");
    choose(tab.Combo4, tab.Combo4->findText("B'2"));
    EXPECT_EQ(textsOf(columns(tab)), QStringList({"7\n8", "1\n1", "Delta\nEpsilon", "4 Mar 2024\n4 Mar 2024", "0\n0",
                                                  "0\n0", "0\n0", "\n8.25"}));
    EXPECT_EQ(tab.Text10->text(), "8.25");
    EXPECT_EQ(l.dialogs.take(), QStringList({"Total Due leaves out these lines:\r\nLine 1 (Delta): the SubTotal is "
                                             "empty.\r\n\r\nCorrect the sales in the Sales Grid and retrieve the "
                                             "invoice again."}));
    EXPECT_EQ(tab.Combo11->currentText(), kClearText);
    // Choosing without opening the list leaves the notice as it was.
    EXPECT_FALSE(tab.Label63->isHidden());
    openList(tab.Combo4);
    EXPECT_TRUE(tab.Label63->isHidden());

    // Sub-totals beyond the range are left out and told; a sum beyond it leaves Total Due empty, never wrapped.
    for (const char* subTotal : {"800000000000000", "800000000000000", "1000000000000000"}) {
        addSale(l, {"BIG", "Acme", "1", "1", "Big", "4 Mar 2024", "0", "0", "0", subTotal});
    }
    openList(tab.Combo4);
    pick(tab.Combo4, "BIG");
    EXPECT_EQ(tab.Text64->toPlainText(), "800000000000000\n800000000000000\n");
    EXPECT_EQ(tab.Text10->text(), "");
    EXPECT_EQ(l.dialogs.take(),
              QStringList({"Total Due leaves out these lines:\r\nLine 3 (Big): the SubTotal 1000000000000000 is beyond "
                           "the amounts the ledger adds up (below 900000000000000 either way).\r\n\r\nThe SubTotals "
                           "of this invoice add up to more than the ledger can add up (amounts stay below "
                           "900000000000000 either way), so Total Due is left empty.\r\n\r\nCorrect the sales in the "
                           "Sales Grid and retrieve the invoice again."}));

    // Sales deleted since the list was filled: said, and nothing shown.
    l.env.exec("DELETE FROM Mervalis2 WHERE ReferenceID = 'B''2'");
    choose(tab.Combo4, tab.Combo4->findText("B'2"));
    EXPECT_EQ(l.dialogs.take(), QStringList({"No sale has the reference ID \"B'2\". Its sales may have been deleted "
                                             "since the list was filled: open the list again to see the invoices "
                                             "stored."}));
    EXPECT_EQ(textsOf(columns(tab)), QStringList(8, QString()));
    EXPECT_EQ(tab.Text10->text(), "0");
}

TEST(InvoiceTab, ListsEachReferenceIdOnceAndOnlyUnpaidOnesWhenOutstandingIsTicked)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;

    // No sales: the message, an empty list.
    openList(tab.Combo4);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoInvoices}));
    EXPECT_EQ(tab.Combo4->count(), 0);

    addIds(l, {{"10", "unpaid"}, {"b", "PAID"}, {"1", "PAID"}, {"B", "unpaid"}, {"10", "unpaid"}, {"", "unpaid"},
               {"1", "unpaid"}, {"a", "unpaid"}});
    l.env.exec("INSERT INTO Mervalis2 (ClientName, SubTotal) VALUES ('No ID', 1)");
    // All IDs ordered by ID without regard to case, each exact text once; no
    // empty entry.
    openList(tab.Combo4);
    EXPECT_EQ(entries(tab.Combo4), QStringList({"1", "10", "a", "b", "B"}));
    EXPECT_EQ(l.store->adodc2.recordSource(), "SELECT * FROM Mervalis2 order by referenceID");
    EXPECT_EQ(l.store->adodc2.recordCount(), 9);
    // Outstanding: unpaid sales' IDs in the order of the table.
    QTest::mouseClick(tab.Check4, Qt::LeftButton, {}, QPoint(5, tab.Check4->height() / 2));
    ASSERT_TRUE(tab.Check4->isChecked());
    openList(tab.Combo4);
    EXPECT_EQ(entries(tab.Combo4), QStringList({"10", "B", "1", "a"}));
    EXPECT_EQ(l.store->adodc2.recordSource(), "SELECT * FROM Mervalis2 where paid = 'unpaid'");

    // Marked paid, an invoice leaves the outstanding list; the typed text stays.
    pick(tab.Combo4, "10");
    tab.Command34->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({kPaid}));
    openList(tab.Combo4);
    EXPECT_EQ(entries(tab.Combo4), QStringList({"B", "1", "a"}));
    EXPECT_EQ(tab.Combo4->currentText(), "10");
    EXPECT_TRUE(l.dialogs.shown().empty());

    // Every sale paid: the message again.
    l.env.exec("UPDATE Mervalis2 SET PAID = 'PAID'");
    openList(tab.Combo4);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoInvoices}));
    EXPECT_EQ(tab.Combo4->count(), 0);
}

TEST(InvoiceTab, MarksEverySaleOfTheIdPaidRefusesUnknownIdsAndClearsTheScreen)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;
    addIds(l, {{"CISCO", "unpaid"}, {"cisco", "unpaid"}, {"Other", "unpaid"}, {"O'Hara", "unpaid"}});

    tab.Command34->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"You must choose an invoice by retrieving the invoice's reference ID."}));

    // A typed ID that no sale carries is never reported paid.
    typeInto(tab.Combo4, "Nobody");
    tab.Command34->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"No sale has the reference ID \"Nobody\". No invoice was marked as paid."}));
    EXPECT_TRUE(tab.Label63->isHidden());
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE PAID = 'PAID'"), "0");

    // Sales that another workstation deletes between the look-up and the mark
    // (here: the database skips the change) are not reported paid.
    l.env.exec(l.env.onPostgres()
                   ? "CREATE FUNCTION skip() RETURNS trigger LANGUAGE plpgsql AS 'BEGIN RETURN NULL; END'; "
                     "CREATE TRIGGER skip BEFORE UPDATE ON Mervalis2 FOR EACH ROW EXECUTE FUNCTION skip()"
                   : "CREATE TRIGGER skip BEFORE UPDATE ON Mervalis2 BEGIN SELECT RAISE(IGNORE); END");
    typeInto(tab.Combo4, "Other");
    tab.Command34->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"No sale has the reference ID \"Other\". Its sales were deleted by someone "
                                             "else after they were shown. No invoice was marked as paid."}));
    EXPECT_TRUE(tab.Label63->isHidden());
    l.env.exec(l.env.onPostgres() ? "DROP TRIGGER skip ON Mervalis2" : "DROP TRIGGER skip");

    // A typed ID marks the sales of every case of it, once or twice alike.
    typeInto(tab.Combo4, "Cisco");
    for (int press = 0; press < 2; ++press) {
        tab.Command34->click();
        EXPECT_EQ(l.dialogs.take(), QStringList({kPaid}));
        EXPECT_FALSE(tab.Label63->isHidden());
        EXPECT_EQ(l.env.rows("SELECT ReferenceID, PAID FROM Mervalis2 ORDER BY ID"),
                  QStringList({"CISCO|PAID", "cisco|PAID", "Other|unpaid", "O'Hara|unpaid"}));
    }
    // The sales grid shows the invoice's sales with their new status.
    EXPECT_EQ(l.store->adodc2.recordCount(), 2);
    l.store->adodc2.moveFirst();
    EXPECT_EQ(l.store->adodc2.field("PAID"), "PAID");
    typeInto(tab.Combo4, "O'Hara");
    tab.Command34->click();
    EXPECT_EQ(l.env.scalar("SELECT PAID FROM Mervalis2 WHERE ReferenceID = 'O''Hara'"), "PAID");

    // Clear Screen: the described texts; the ID, the filters, the title and the notice stay.
    for (QWidget* box : columns(tab)) setTextOf(box, "x");
    setTexts({tab.Text66, tab.Combo5, tab.Text27, tab.Text10, tab.Combo17, tab.Combo6},
             {"Client", "Company", "1 Jan 2000", "99", "CREDIT NOTE", "Hours"});
    tab.Text39->setPlainText("ship");
    for (QCheckBox* check : {tab.Check6, tab.Check5, tab.Check7, tab.Check4, tab.Check1}) check->setChecked(false);
    tab.Command25->click();
    EXPECT_EQ(textsOf(columns(tab)), QStringList(8, QString()));
    EXPECT_TRUE(tab.Text39->toPlainText().isEmpty());
    EXPECT_EQ(textsOf({tab.Text66, tab.Combo5, tab.Text27, tab.Combo11, tab.Text41, tab.Text10}),
              QStringList({"", "", shortDateText(QDate::currentDate()), kClearText, kClearText, "0"}));
    EXPECT_TRUE(tab.Check6->isChecked() && tab.Check5->isChecked() && tab.Check7->isChecked());
    EXPECT_FALSE(tab.Check4->isChecked() || tab.Check1->isChecked());
    EXPECT_EQ(textsOf({tab.Combo4, tab.Combo17, tab.Combo6}), QStringList({"O'Hara", "CREDIT NOTE", "Hours"}));
    EXPECT_FALSE(tab.Label63->isHidden());
}

TEST(InvoiceTab, BillsFromAChosenCompanyAdvisesOnCreditNotesAndOpensADocumentWindowPerPress)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;

    openList(tab.Combo5);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoRecords}));
    l.env.exec("INSERT INTO Mervalis3 (CompanyName, City, Fax) VALUES ('Own Ltd', 'York', '01904'), "
               "('Smith''s Shop', 'Hull', '')");
    t.company.Command12->setEnabled(true);
    openList(tab.Combo5);
    EXPECT_EQ(entries(tab.Combo5), QStringList({"Own Ltd", "Smith's Shop"}));
    pick(tab.Combo5, "Smith's Shop");
    EXPECT_FALSE(t.company.Command12->isEnabled());
    EXPECT_EQ(textsOf({t.company.Text19, t.company.Text13}), QStringList({"Smith's Shop", "Hull"}));
    EXPECT_EQ(l.store->adodc3.recordCount(), 1);

    // Anything but "INVOICE" brings the advice, picked or typed (once, when the typing ends).
    const std::tuple<QString, bool, bool> titles[] = {
        {"CREDIT NOTE", true, true}, {"INVOICE", true, false}, {"AMENDED INVOICE", true, true},
        {"DEBIT NOTE", false, true}, {"INVOICE", false, false}};
    for (const auto& [title, picked, advised] : titles) {
        if (picked) {
            pick(tab.Combo17, title);
        } else {
            typeInto(tab.Combo17, title);
            QTest::keyClick(tab.Combo17->lineEdit(), Qt::Key_Return);
            QTest::keyClick(tab.Combo17->lineEdit(), Qt::Key_Return);
        }
        EXPECT_EQ(l.dialogs.take(), advised ? QStringList({kCreditNoteAdvice}) : QStringList())
            << title.toStdString();
    }

    // Another tab's list moves the companies' control (here onto every
    // company, "Own Ltd" first): the document still comes from the company
    // chosen; a company no longer stored makes none.
    ASSERT_TRUE(l.store->adodc3.query("SELECT * FROM Mervalis3"));
    tab.Command4->click();
    ASSERT_EQ(tab.documents().size(), 1);
    EXPECT_EQ(tab.documents()[0]->pages().first().label("Section4", "label16")->text, "Smith's Shop");
    tab.documents()[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    l.env.exec("DELETE FROM Mervalis3 WHERE City = 'Hull'");
    ASSERT_TRUE(l.store->adodc3.query("SELECT * FROM Mervalis3"));
    tab.Command4->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"No company named \"Smith's Shop\" is stored. Choose a company to bill from."}));
    EXPECT_TRUE(tab.documents().isEmpty());

    // No company and no letterhead: no document.
    tab.Combo5->setEditText(QString());
    tab.Command4->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"Choose a company to bill from."}));
    EXPECT_TRUE(tab.documents().isEmpty());

    // Letterheaded paper needs no company; each press opens a window of its
    // own, which leaves the main window usable.
    QTest::mouseClick(tab.Check1, Qt::LeftButton, {}, QPoint(5, tab.Check1->height() / 2));
    tab.Command4->click();
    tab.Command4->click();
    EXPECT_TRUE(l.dialogs.shown().empty());
    const QList<DocumentWindow*> windows = tab.documents();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_NE(windows[0], windows[1]);
    for (DocumentWindow* window : windows) {
        EXPECT_TRUE(window->isVisible() && window->isWindow());
        EXPECT_EQ(window->windowModality(), Qt::NonModal);
        EXPECT_TRUE(window->pages().first().label("Section4", "label16")->text.isEmpty());
    }
    windows[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tab.documents().size(), 1);

    // "Show tax summary": off at first, remembered for the user.
    EXPECT_FALSE(tab.showTaxSummary->isChecked());
    EXPECT_EQ(tab.showTaxSummary->accessibleName(), "Show tax summary");
    QTest::mouseClick(tab.showTaxSummary, Qt::LeftButton, {}, QPoint(5, tab.showTaxSummary->height() / 2));
    ASSERT_TRUE(tab.showTaxSummary->isChecked());
    EXPECT_TRUE(Tabs(l).invoice.showTaxSummary->isChecked());
}

TEST(InvoiceTab, SaveAsPdfMakesAFacturXInvoiceOnceCompanyAndClientHaveTaxDetails)
{
    TestLedger l;
    Tabs t(l);
    InvoiceTab& tab = t.invoice;
    l.env.exec("INSERT INTO Mervalis3 (CompanyName, Address1, City) VALUES ('Own GmbH', 'Ring 1', 'Köln')");
    l.env.exec("INSERT INTO Mervalis (ClientName, City) VALUES ('Acme', 'Leeds')");
    addSale(l, {"E-1", "Acme", "10", "2", "Tea", "1 Mar 2024", "0", "19", "0", "23.8"});
    for (int i = 0; i < 2; ++i) addSale(l, {"E-1", "Acme", "0.05", "1", "Pen", "1 Mar 2024", "0", "10", "0", "0.05"});
    openList(tab.Combo4);
    pick(tab.Combo4, "E-1");
    openList(tab.Combo5);
    pick(tab.Combo5, "Own GmbH");
    auto document = [&] {
        tab.Command4->click();
        return tab.documents().last();
    };
    const auto run = [](const QString& program, const QStringList& arguments) {
        QProcess p;
        p.start(program, arguments);
        return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    };

    // Without tax details: the plain PDF, and the window says what an e-invoice needs.
    DocumentWindow* plain = document();
    EXPECT_FALSE(plain->saveXmlAction->isEnabled());
    EXPECT_EQ(plain->eInvoiceLine->text(),
              "Save as PDF writes a plain PDF. An e-invoice (Factur-X, EN 16931) would need the tax details of the "
              "billing company \"Own GmbH\": its VAT ID, country code and currency (Company tab, \"Tax details...\"); "
              "the tax details of the client \"Acme\": at least its country code (Client tab, \"Tax details...\").");
    ASSERT_TRUE(plain->writePdf(l.env.file("plain.pdf")));
    EXPECT_TRUE(run("pdfdetach", {"-list", l.env.file("plain.pdf")}).startsWith("0 embedded files"));

    TaxDetailsStore store(l.store->database);
    ASSERT_EQ(store.write(TaxParty::Company, "own gmbh", std::nullopt, {"DE123456789", "DE", "EUR", "", "", ""}),
              TaxDetailsStore::Write::Stored);
    ASSERT_EQ(store.write(TaxParty::Client, "ACME", std::nullopt, {"", "GB", "", "", "", ""}),
              TaxDetailsStore::Write::Stored);
    DocumentWindow* facturX = document();
    ASSERT_TRUE(facturX->saveXmlAction->isEnabled());
    const QString pdf = l.env.file("E-1.pdf"), xml = l.env.file("E-1.xml");
    ASSERT_TRUE(facturX->writePdf(pdf));
    ASSERT_TRUE(facturX->writeXml(xml));
    EXPECT_EQ(modeOf(pdf) + modeOf(xml), "06000600");  // the owner's alone
    EXPECT_TRUE(run("pdfdetach", {"-list", pdf}).contains(": factur-x.xml\n"));
    const QString metadata = run("pdfinfo", {"-meta", pdf});
    EXPECT_TRUE(metadata.contains("<pdfaid:part>3</pdfaid:part>")) << metadata.toStdString();
    EXPECT_TRUE(metadata.contains("xmlns:fx=\"urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#\""));
    EXPECT_TRUE(metadata.contains("<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>"));
    // The amount due is Total Due: the tax at 10% worked out on 0.10 is a
    // cent more than on each 0.05, and the rounding amount takes it back.
    EXPECT_EQ(tab.Text10->text(), "23.9");
    const QByteArray written = readFile(xml);
    EXPECT_TRUE(written.contains("<ram:RoundingAmount>-0.01</ram:RoundingAmount>")) << written.toStdString();
    EXPECT_TRUE(written.contains("<ram:DuePayableAmount>23.9</ram:DuePayableAmount>"));

    QString why;
    const QString validator = en16931Validator(&why);
    if (validator.isEmpty()) GTEST_SKIP() << why.toStdString();
    EXPECT_EQ(failingEn16931(validator, {pdf}), QStringList());
}
