#include "entry/drop_down_combo.h"
#include "entry/list_files.h"
#include "entry/sale_calculation.h"
#include "entry/sales_tab.h"
#include "store/dates.h"
#include "store/money.h"
#include "support/test_env.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using namespace mervalis;
using mervalis::test::TestLedger;
using Icon = DialogService::Icon;

namespace {

const QDate kSellDate(2026, 7, 14);

QString total(double price, double quantity, double discount, double tax, double freight)
{
    return numberText(saleTotal({price, quantity, discount, tax, freight}));
}

void addClient(TestLedger& l, const QString& values)
{
    l.env.exec("INSERT INTO Mervalis (ClientName, Sex, Age, Income, Ethnicity, LeadGivenTo, City, Country) VALUES ("
               + values + ")");
}

int storedSales(TestLedger& l) { return l.env.scalar("SELECT COUNT(*) FROM Mervalis2").toInt(); }

// A complete sale on the tab, every value distinct so that a swapped pair of
// fields shows.
void fillSale(SalesTab& tab)
{
    tab.Combo1->setEditText("O'Brien & Co");
    tab.Combo14->setEditText("Own Ltd");
    tab.Text15->setText("19.99");
    tab.Text17->setText("3");
    tab.Combo2->setEditText("Widget");
    tab.Text33->setText(shortDateText(kSellDate));
    tab.Combo9->setEditText("2");
    tab.Combo3->setEditText("17.5");
    tab.Text34->setText("4");
    tab.Text28->setText("INV-7");
    tab.Combo22->setEditText("Ann");
    tab.Combo21->setEditText("Web");
    tab.Text25->setPlainText("Paid by card");
}

// A sale entry that passes every check.
SaleEntry passingEntry()
{
    SaleEntry e;
    e.client = "Acme";
    e.company = "Own Ltd";
    e.unitPrice = "10";
    e.quantity = "3";
    e.product = "Widget";
    e.sellDate = shortDateText(kSellDate);
    e.discount = "0";
    e.tax = "0";
    e.freight = "0";
    e.referenceId = "R1";
    e.salesRep = "Ann";
    e.marketingTool = "Web";
    e.subTotal = "0";
    e.total = "0";
    return e;
}

}  // namespace

TEST(SaleCalculation, DescribedExamplesAndRoundingTiesToEvenAfterEveryStep)
{
    EXPECT_EQ(total(10, 3, 0, 0, 0), "30");
    // 30, +5 freight = 35, -10 discount = 25, +20 % tax = 30.
    EXPECT_EQ(total(10, 3, 10, 20, 5), "30");
    // 59.97 and a tax of R(10.49475) = 10.49.
    EXPECT_EQ(total(19.99, 3, 0, 0, 0), "59.97");
    EXPECT_EQ(total(19.99, 3, 0, 17.5, 0), "70.46");
    // Ties go to the even cent, in the product, in the inputs and in the tax.
    EXPECT_EQ(total(4.25, 0.5, 0, 0, 0), "2.12");
    EXPECT_EQ(total(4.75, 0.5, 0, 0, 0), "2.38");
    EXPECT_EQ(total(2.125, 1, 0, 0, 0), "2.12");
    EXPECT_EQ(total(0.135, 1, 0, 0, 0), "0.14");
    EXPECT_EQ(total(1.005, 1, 0, 0, 0), "1");
    EXPECT_EQ(total(10, 1, 0, 1.25, 0), "10.12");  // tax R(0.125) = 0.12
    EXPECT_EQ(total(10, 1, 0, 3.75, 0), "10.38");  // tax R(0.375) = 0.38
    // Quantity 0: only freight, discount and tax move the total.
    EXPECT_EQ(total(10, 0, 0, 0, 0), "0");
    EXPECT_EQ(total(10, 0, 2, 10, 5), "3.3");
    // No floating-point noise in long sums.
    EXPECT_EQ(total(0.1, 3, 0, 0, 0.2), "0.5");
    EXPECT_EQ(total(33.33, 3, 0.01, 0, 0), "99.98");
}

TEST(SaleChecks, RunInOrderEachReachedOnlyWhenTheEarlierOnesPass)
{
    TestLedger l;
    struct Step {
        std::function<void(SaleEntry&)> fillPrevious;  // makes the earlier check pass
        QString message;
        Icon icon;
    };
    SaleEntry e;  // everything empty
    const Step steps[] = {
        {[](SaleEntry&) {}, "You must enter an amount.", Icon::Information},
        {[](SaleEntry& s) { s.unitPrice = "10"; }, "You must enter a quantity.", Icon::Information},
        {[](SaleEntry& s) { s.quantity = "0"; }, "You must choose a client.", Icon::Information},
        {[](SaleEntry& s) { s.client = "Acme"; },
         "You must choose a reference ID for invoice purposes. All sales that are to appear on the same invoice "
         "should have the same reference ID. It is wise to stick to the same format.",
         Icon::Information},
        {[](SaleEntry& s) { s.referenceId = "R1"; }, "You must associate this sale with a company.",
         Icon::Information},
        {[](SaleEntry& s) { s.company = "Own Ltd"; },
         "The sell date was set to nothing. You should really enter a sell date as this is used for analysis "
         "purposes. This command will terminate to give you a chance to change this.",
         Icon::None},
        {[](SaleEntry& s) { s.sellDate = "0"; },
         "The sell date was set to 0. You should really enter a sell date as this is used for analysis purposes. "
         "This command will terminate to give you a chance to change this.",
         Icon::None},
        {[](SaleEntry& s) { s.sellDate = shortDateText(kSellDate); },
         "The discount field was empty. It has been set to 0. This command will terminate to give you a chance to "
         "change this if necessary.",
         Icon::None},
        {[](SaleEntry&) {},
         "The tax field was empty. It has been set to 0. This command will terminate to give you a chance to change "
         "this if necessary.",
         Icon::None},
        {[](SaleEntry&) {},
         "The freight field was empty. It has been set to 0. This command will terminate to give you a chance to "
         "change this if necessary.",
         Icon::None},
    };
    for (const Step& step : steps) {
        step.fillPrevious(e);
        l.dialogs.clear();
        EXPECT_FALSE(runSaleChecks(e, l.dialogs));
        ASSERT_EQ(l.dialogs.shown().size(), 1u) << step.message.toStdString();
        EXPECT_EQ(l.dialogs.last(), step.message);
        EXPECT_EQ(l.dialogs.shown().back().icon, step.icon);
        EXPECT_EQ(l.dialogs.shown().back().buttons, DialogService::Buttons::Ok);
    }
    // The three corrections stayed behind.
    EXPECT_EQ(e.discount, "0");
    EXPECT_EQ(e.tax, "0");
    EXPECT_EQ(e.freight, "0");

    // The 'None' questions: No stops and changes nothing, Yes writes "None".
    const QString productQuestion = "The Product/Service was set to 'None'. This means that you are limiting the "
                                    "analysis possibilities of your products / services. Do you want to continue?";
    const QString repQuestion = "The Sales Rep was set to 'None'. This means that if you analyse sales rep "
                                "performance, one of the sales reps will be 'None'. Do you want to continue?";
    const QString toolQuestion = "The Marketing Tool was set to 'None'. This means that if you analyse marketing "
                                 "tools, one of the tools will be 'None'. Do you want to continue?";
    l.dialogs.clear();
    l.dialogs.answerNo();
    EXPECT_FALSE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.texts(), QStringList({productQuestion}));
    EXPECT_EQ(l.dialogs.shown().back().buttons, DialogService::Buttons::YesNo);
    EXPECT_EQ(l.dialogs.shown().back().icon, Icon::None);
    EXPECT_EQ(e.product, "");

    l.dialogs.clear();
    l.dialogs.answer(DialogService::Answer::Yes);
    l.dialogs.answerNo();
    EXPECT_FALSE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.texts(), QStringList({productQuestion, repQuestion}));
    EXPECT_EQ(e.product, "None");
    EXPECT_EQ(e.salesRep, "");

    l.dialogs.clear();
    l.dialogs.answer(DialogService::Answer::Yes);
    l.dialogs.answer(DialogService::Answer::Yes);
    l.dialogs.answerNo();
    EXPECT_FALSE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.texts(), QStringList({productQuestion, repQuestion, toolQuestion}));
    EXPECT_EQ(e.salesRep, "None");

    // The last check: an empty sub total silently becomes "0" and stops.
    l.dialogs.clear();
    EXPECT_FALSE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.texts().size(), 3);
    EXPECT_EQ(e.marketingTool, "None");
    EXPECT_EQ(e.subTotal, "0");

    l.dialogs.clear();
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.texts().size(), 3);  // the three 'None' questions again, answered Yes
}

TEST(SaleChecks, NoneIsComparedCaseSensitivelyAndEmptyMeansExactlyEmpty)
{
    TestLedger l;
    SaleEntry e = passingEntry();
    e.product = "none";
    e.salesRep = "NONE";
    e.marketingTool = " None";
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    EXPECT_TRUE(l.dialogs.shown().empty());
    EXPECT_EQ(e, [] {
        SaleEntry expected = passingEntry();
        expected.product = "none";
        expected.salesRep = "NONE";
        expected.marketingTool = " None";
        return expected;
    }());

    // A blank is not empty: it passes the check (and fails later as no number).
    e = passingEntry();
    e.unitPrice = " ";
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    SaleAmounts amounts;
    QDate date;
    EXPECT_FALSE(readSaleInput(e, &amounts, &date, l.dialogs));
    EXPECT_TRUE(l.dialogs.last().contains("Unit Price"));
}

TEST(SalesTab, StoresTheSaleWithItsTwentyFiveFieldsInTheirColumns)
{
    TestLedger l;
    addClient(l, "'Zed', 'Male', '30', '0-10,000', 'Irish', 'Carl', 'York', 'IE'");
    addClient(l, "'O''Brien & Co', 'Female', '41', '20-30,000', 'Welsh', 'Bob', 'Leeds', 'UK'");
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    SalesTab tab(*l.context);

    tab.Combo1_DropDown();
    ASSERT_EQ(tab.Combo1->count(), 2);
    EXPECT_EQ(tab.Combo1->itemText(1), "O'Brien & Co");
    tab.Combo1->setCurrentIndex(1);
    tab.Combo1_Click();
    tab.Combo14_DropDown();
    EXPECT_EQ(tab.Combo14->itemText(0), "Own Ltd");
    fillSale(tab);
    l.dialogs.clear();
    tab.Command1_Click();

    // S = 59.97, +4 = 63.97, -2 = 61.97, tax R(10.84475) = 10.84, total 72.81.
    ASSERT_EQ(l.dialogs.texts(), QStringList({addSaleQuestion(), clearScreenQuestion()}));
    const QStringList rows =
        l.env.rows("SELECT City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo, Notes, MarketingTool, "
                   "AssociatedCompany, ReferenceID, Discount, Freight, SellDate, SalesRep, ClientName, "
                   "ProductService, Amount, Tax, Quantity, Day, Month, Year, SubTotal, TotalDue, PAID "
                   "FROM Mervalis2");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringList({"Leeds", "UK", "Female", "41", "20-30,000", "Welsh", "Bob", "Paid by card",
                                    "Web", "Own Ltd", "INV-7", "2", "4", shortDateText(kSellDate), "Ann",
                                    "O'Brien & Co", "Widget", "19.99", "17.5", "3", "14", "7", "2026", "72.81",
                                    "72.81", "unpaid"})
                           .join('|'));
    // Month and year are found as quoted texts, the month without a leading zero.
    EXPECT_EQ(l.env.scalar("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE month = '7' and year = '2026'"), "72.81");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE month = '07'"), "0");
    EXPECT_EQ(l.env.scalar("SELECT typeof(Year) || typeof(Month) || typeof(SubTotal) FROM Mervalis2"),
              "texttextreal");

    // Yes to the second question cleared the screen; the company stays.
    EXPECT_EQ(tab.Combo1->currentText(), "");
    EXPECT_EQ(tab.Text17->text(), "0");
    EXPECT_EQ(tab.Text62->text(), "0");
    EXPECT_EQ(tab.Text42->text(), "");
    EXPECT_EQ(tab.Combo14->currentText(), "Own Ltd");
}

TEST(SalesTab, ShowsTheTotalAndKeepsTheScreenForASecondIdenticalSale)
{
    TestLedger l;
    SalesTab tab(*l.context);
    fillSale(tab);
    tab.Text15->setText("10");
    tab.Combo9->setEditText("10");
    tab.Combo3->setEditText("20");
    tab.Text34->setText("5");
    l.dialogs.answerNo();  // do not add yet
    tab.Command1_Click();
    EXPECT_EQ(tab.Text62->text(), "30");
    EXPECT_EQ(tab.Text63->text(), "30");
    EXPECT_EQ(storedSales(l), 0);

    l.dialogs.answer(DialogService::Answer::Yes);
    l.dialogs.answerNo();  // keep the screen
    tab.Command1_Click();
    EXPECT_EQ(tab.Combo1->currentText(), "O'Brien & Co");
    EXPECT_EQ(tab.Text28->text(), "INV-7");
    EXPECT_EQ(tab.Text15->text(), "10");
    l.dialogs.answer(DialogService::Answer::Yes);
    l.dialogs.answerNo();
    tab.Command1_Click();
    const QStringList rows = l.env.rows("SELECT * FROM Mervalis2 ORDER BY ID");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].section('|', 1), rows[1].section('|', 1));  // all but the ID
    EXPECT_EQ(l.env.scalar("SELECT SUM(TotalDue) FROM Mervalis2"), "60");

    // 19.99 x 3 shows 59.97, not binary noise.
    tab.Text15->setText("19.99");
    tab.Combo9->setEditText("0");
    tab.Combo3->setEditText("0");
    tab.Text34->setText("0");
    l.dialogs.answerNo();
    tab.Command1_Click();
    EXPECT_EQ(tab.Text62->text(), "59.97");
}

TEST(SalesTab, ChecksLeaveTheirCorrectionsInTheControlsAndStoreNothing)
{
    TestLedger l;
    SalesTab tab(*l.context);
    fillSale(tab);
    tab.Combo9->setEditText("");
    tab.Command1_Click();
    EXPECT_EQ(tab.Combo9->currentText(), "0");
    EXPECT_EQ(l.dialogs.shown().size(), 1u);
    tab.Text63->setText("");
    l.dialogs.clear();
    tab.Command1_Click();
    EXPECT_EQ(tab.Text63->text(), "0");
    EXPECT_TRUE(l.dialogs.shown().empty());
    EXPECT_EQ(storedSales(l), 0);

    tab.Combo2->setEditText("");
    l.dialogs.answerNo();  // product 'None': no
    tab.Command1_Click();
    EXPECT_EQ(tab.Combo2->currentText(), "");
    l.dialogs.clear();
    l.dialogs.answer(DialogService::Answer::Yes);  // product 'None': yes
    l.dialogs.answerNo();                          // do not add
    tab.Command1_Click();
    EXPECT_EQ(tab.Combo2->currentText(), "None");
    EXPECT_EQ(l.dialogs.texts().last(), addSaleQuestion());
    EXPECT_EQ(storedSales(l), 0);
}

TEST(SalesTab, InputThatIsNoNumberOrNoDateIsNamedAndNothingIsStored)
{
    TestLedger l;
    SalesTab tab(*l.context);
    struct Bad {
        QLineEdit* box;
        QComboBox* combo;
        QString text;
        QString caption;
    };
    const Bad cases[] = {
        {tab.Text15, nullptr, "12,50", "Unit Price"},  {tab.Text17, nullptr, "three", "Unit Quantity"},
        {nullptr, tab.Combo9, "10%", "Discount"},      {nullptr, tab.Combo3, "abc", "Tax %"},
        {tab.Text34, nullptr, "5 EUR", "Freight"},     {tab.Text33, nullptr, "soon", "Sell Date"},
        {tab.Text33, nullptr, "31.02.2026", "Sell Date"},
    };
    for (const Bad& bad : cases) {
        fillSale(tab);
        tab.Text62->setText("0");
        tab.Text63->setText("0");
        if (bad.box) bad.box->setText(bad.text);
        if (bad.combo) bad.combo->setEditText(bad.text);
        l.dialogs.clear();
        tab.Command1_Click();
        ASSERT_EQ(l.dialogs.shown().size(), 1u) << bad.caption.toStdString();
        EXPECT_TRUE(l.dialogs.last().contains(bad.caption)) << l.dialogs.last().toStdString();
        EXPECT_TRUE(l.dialogs.last().contains(bad.text));
        EXPECT_EQ(l.dialogs.shown().back().icon, Icon::Information);
        EXPECT_EQ(tab.Text62->text(), "0");
        EXPECT_EQ(storedSales(l), 0);
        // What was typed stays for the user to correct.
        EXPECT_EQ(bad.box ? bad.box->text() : bad.combo->currentText(), bad.text);
    }
}

TEST(SalesTab, ClientAndCompanyListsAndTheClientCopy)
{
    TestLedger l;
    SalesTab tab(*l.context);
    // No client, no company: the no-records message, and the entry is cleared first.
    tab.Text15->setText("99");
    tab.Text28->setText("R9");
    tab.Combo14->setEditText("Typed Ltd");
    tab.Combo1_DropDown();
    EXPECT_EQ(l.dialogs.texts(), QStringList({noRecordsMessage()}));
    EXPECT_EQ(tab.Text15->text(), "0");
    EXPECT_EQ(tab.Text28->text(), "");
    EXPECT_EQ(tab.Combo1->count(), 0);
    l.dialogs.clear();
    tab.Combo14_DropDown();
    EXPECT_EQ(l.dialogs.texts(), QStringList({noRecordsMessage()}));
    EXPECT_EQ(tab.Combo14->currentText(), "Typed Ltd");

    // Names in table order with repeats; a client without some fields.
    addClient(l, "'Bea', 'Female', '52', '40-50,000', 'Scottish', 'Ann', 'Perth', 'UK'");
    addClient(l, "'Acme', NULL, NULL, NULL, NULL, NULL, 'Hull', NULL");
    addClient(l, "'Bea', 'Male', '1', '1', '1', '1', '1', '1'");
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Zeta'), ('Alpha'), ('Zeta')");
    l.dialogs.clear();
    tab.Combo1_DropDown();
    tab.Combo14_DropDown();
    EXPECT_TRUE(l.dialogs.shown().empty());
    QStringList clients, companies;
    for (int i = 0; i < tab.Combo1->count(); ++i) clients << tab.Combo1->itemText(i);
    for (int i = 0; i < tab.Combo14->count(); ++i) companies << tab.Combo14->itemText(i);
    EXPECT_EQ(clients, QStringList({"Bea", "Acme", "Bea"}));
    EXPECT_EQ(companies, QStringList({"Zeta", "Alpha", "Zeta"}));
    EXPECT_EQ(tab.Combo14->currentText(), "Typed Ltd");

    // Choosing Bea copies the first Bea; then Acme copies only what it has.
    tab.Combo1->setCurrentIndex(0);
    emit tab.Combo1->activated(0);
    const QList<QLineEdit*> hidden{tab.Text21, tab.Text22, tab.Text26, tab.Text38,
                                   tab.Text40, tab.Text42, tab.Text43};
    QStringList copied;
    for (QLineEdit* box : hidden) copied << box->text();
    EXPECT_EQ(copied, QStringList({"Female", "52", "40-50,000", "Scottish", "Ann", "Perth", "UK"}));
    tab.Combo1->setCurrentIndex(1);
    tab.Combo1_Click();
    copied.clear();
    for (QLineEdit* box : hidden) copied << box->text();
    EXPECT_EQ(copied, QStringList({"Female", "52", "40-50,000", "Scottish", "Ann", "Hull", "UK"}));
    // The client grid now shows only the chosen client.
    EXPECT_EQ(l.store->adodc1.recordCount(), 1);

    // A name typed by hand that matches nobody changes no box.
    tab.Combo1->setEditText("Nobody");
    tab.Combo1_Click();
    EXPECT_EQ(tab.Text42->text(), "Hull");
}

TEST(SalesTab, DesignTimeTextsClearScreenAndExplanations)
{
    TestLedger l;
    SalesTab tab(*l.context);
    EXPECT_EQ(tab.Text15->text(), "0");
    EXPECT_EQ(tab.Text17->text(), "1");
    EXPECT_EQ(tab.Combo2->currentText(), "None");
    EXPECT_EQ(tab.Text33->text(), "0");
    EXPECT_EQ(tab.Combo9->currentText(), "0");
    EXPECT_EQ(tab.Combo22->currentText(), "None");
    EXPECT_EQ(tab.Combo21->currentText(), "None");
    EXPECT_EQ(tab.Text63->text(), "0");
    EXPECT_EQ(tab.Text62->text(), "0");
    QStringList discounts, taxes;
    for (int i = 0; i < tab.Combo9->count(); ++i) discounts << tab.Combo9->itemText(i);
    for (int i = 0; i < tab.Combo3->count(); ++i) taxes << tab.Combo3->itemText(i);
    EXPECT_EQ(discounts, QStringList({"5", "10", "15", "20", "25", "30", "35", "40", "45", "50"}));
    ASSERT_EQ(taxes.size(), 26);
    EXPECT_EQ(taxes.first(), "5");
    EXPECT_EQ(taxes.last(), "30");
    EXPECT_TRUE(tab.Frame7->isHidden());
    EXPECT_EQ(tab.Frame7->title(), "System - Do Not Touch");
    EXPECT_EQ(tab.Combo14->accessibleName(), "Associate with which company?");
    EXPECT_EQ(tab.Command1->text(), "Calculate Total and Add to Database");
    EXPECT_TRUE(tab.Label73->text().startsWith("Each sale should be added to the database."));

    fillSale(tab);
    tab.Text21->setText("Male");
    tab.Text62->setText("12");
    tab.Command5->click();
    EXPECT_EQ(tab.Combo1->currentText(), "");
    EXPECT_EQ(tab.Text15->text(), "0");
    EXPECT_EQ(tab.Text17->text(), "0");
    EXPECT_EQ(tab.Combo2->currentText(), "None");
    EXPECT_EQ(tab.Text33->text(), shortDateText(QDate::currentDate()));
    for (QComboBox* combo : {tab.Combo9, tab.Combo3}) EXPECT_EQ(combo->currentText(), "0");
    for (QLineEdit* box : {tab.Text34, tab.Text63, tab.Text62}) EXPECT_EQ(box->text(), "0");
    EXPECT_EQ(tab.Text28->text(), "");
    EXPECT_EQ(tab.Text25->toPlainText(), "");
    EXPECT_EQ(tab.Text21->text(), "");
    EXPECT_EQ(tab.Combo21->currentText(), "None");
    EXPECT_EQ(tab.Combo22->currentText(), "None");
    EXPECT_EQ(tab.Combo14->currentText(), "Own Ltd");

    l.dialogs.clear();
    tab.Command29->click();
    tab.Command30->click();
    ASSERT_EQ(l.dialogs.shown().size(), 2u);
    EXPECT_TRUE(l.dialogs.shown()[0].text.endsWith(
        "\r\n\r\nThe Reference ID is case insensitive, so an ID of 'CISCO' or 'cisco' or 'Cisco' will relate to the "
        "same invoice."));
    EXPECT_TRUE(l.dialogs.shown()[1].text.startsWith(
        "The sell date is critical for analysis functions. Make sure it accurately reflects the date your "
        "product/service was sold.\r\n\r\n"));
    EXPECT_EQ(l.dialogs.shown()[1].icon, Icon::Information);
    tab.Command41->click();
    EXPECT_EQ(l.help.anchors, QStringList({"sales"}));
}
