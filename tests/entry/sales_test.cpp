#include "ui/drop_down_combo.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "entry/sale_calculation.h"
#include "entry/sales_tab.h"
#include "data/dates.h"
#include "data/money.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"

#include <QGroupBox>
#include <QLocale>

#include <functional>
#include <iterator>

using namespace mervalis;
using namespace mervalis::test;
using Icon = DialogService::Icon;
using Answer = DialogService::Answer;

namespace {

const QDate kSellDate(2026, 7, 14);

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
    setTexts({tab.Combo1, tab.Combo14, tab.Text15, tab.Text17, tab.Combo2, tab.Text33, tab.Combo9, tab.Combo3,
              tab.Text34, tab.Text28, tab.Combo22, tab.Combo21, tab.Text25},
             {"O'Brien & Co", "Own Ltd", "19.99", "3", "Widget", shortDateText(kSellDate), "2", "17.5", "4", "INV-7",
              "Ann", "Web", "Paid by card"});
}

}  // namespace

TEST(SaleCalculation, DescribedExamplesAndRoundingTiesToEvenAfterEveryStep)
{
    const std::pair<SaleAmounts, const char*> cases[] = {  // price, quantity, discount, tax %, freight
        // 30; 30 + 5 freight = 35, - 10 discount = 25, + 20 % tax = 30; 59.97 and a tax of R(10.49475) = 10.49.
        {{10, 3, 0, 0, 0}, "30"}, {{10, 3, 10, 20, 5}, "30"}, {{19.99, 3, 0, 0, 0}, "59.97"},
        {{19.99, 3, 0, 17.5, 0}, "70.46"},
        // Ties go to the even cent, in the product, in the inputs and in the tax (R(0.125), R(0.375)).
        {{4.25, 0.5, 0, 0, 0}, "2.12"}, {{4.75, 0.5, 0, 0, 0}, "2.38"}, {{2.125, 1, 0, 0, 0}, "2.12"},
        {{0.135, 1, 0, 0, 0}, "0.14"}, {{1.005, 1, 0, 0, 0}, "1"}, {{10, 1, 0, 1.25, 0}, "10.12"},
        {{10, 1, 0, 3.75, 0}, "10.38"},
        // Quantity 0: only freight, discount and tax move the total; no floating-point noise in long sums.
        {{10, 0, 0, 0, 0}, "0"}, {{10, 0, 2, 10, 5}, "3.3"}, {{0.1, 3, 0, 0, 0.2}, "0.5"},
        {{33.33, 3, 0.01, 0, 0}, "99.98"},
        // Amounts stay below 900000000000000 at every step, else there is no total.
        {{800000000000000, 1, 0, 0, 0}, "800000000000000"}, {{1e15, 0, 0, 0, 0}, ""},
        {{300000000000000, 3, 0, 0, 0}, ""}, {{800000000000000, 1, 0, 20, 0}, ""},
        {{899999999999999.99, 1, 0, 0, 0.01}, ""}, {{1e300, 1, 0, 0, 0}, ""}};
    for (const auto& [amounts, total] : cases) {
        SaleFigures figures;
        const bool inRange = saleFigures(amounts, &figures);
        EXPECT_EQ(inRange ? figures.total.text() : "", total) << amounts.unitPrice << " x " << amounts.quantity;
    }
    // Net and tax of 19.99 x 3 at 17.5 %: 59.97 and 10.49.
    SaleFigures figures;
    ASSERT_TRUE(saleFigures({19.99, 3, 0, 17.5, 0}, &figures));
    EXPECT_EQ(QStringList({figures.net.text(), figures.tax.text()}), QStringList({"59.97", "10.49"}));
}

TEST(SaleChecks, RunInOrderEachReachedOnlyWhenTheEarlierOnesPassAndNoneIsCaseSensitive)
{
    TestLedger l;
    // Each check is reached only when the earlier ones pass (the fill before
    // each step makes the earlier check pass); the first five tell with an
    // information icon, the rest with none.
    SaleEntry e;  // everything empty
    const std::pair<std::function<void(SaleEntry&)>, QString> steps[] = {
        {[](SaleEntry&) {}, "You must enter an amount."},
        {[](SaleEntry& s) { s.unitPrice = "10"; }, "You must enter a quantity."},
        {[](SaleEntry& s) { s.quantity = "0"; }, "You must choose a client."},
        {[](SaleEntry& s) { s.client = "Acme"; },
         "You must choose a reference ID for invoice purposes. All sales that are to appear on the same invoice "
         "should have the same reference ID. It is wise to stick to the same format."},
        {[](SaleEntry& s) { s.referenceId = "R1"; }, "You must associate this sale with a company."},
        {[](SaleEntry& s) { s.company = "Own Ltd"; },
         "The sell date was set to nothing. You should really enter a sell date as this is used for analysis "
         "purposes. This command will terminate to give you a chance to change this."},
        {[](SaleEntry& s) { s.sellDate = "0"; },
         "The sell date was set to 0. You should really enter a sell date as this is used for analysis purposes. "
         "This command will terminate to give you a chance to change this."},
        {[](SaleEntry& s) { s.sellDate = shortDateText(kSellDate); },
         "The discount field was empty. It has been set to 0. This command will terminate to give you a chance to "
         "change this if necessary."},
        {[](SaleEntry&) {},
         "The tax field was empty. It has been set to 0. This command will terminate to give you a chance to change "
         "this if necessary."},
        {[](SaleEntry&) {},
         "The freight field was empty. It has been set to 0. This command will terminate to give you a chance to "
         "change this if necessary."}};
    for (size_t step = 0; step < std::size(steps); ++step) {
        steps[step].first(e);
        EXPECT_FALSE(runSaleChecks(e, l.dialogs));
        ASSERT_EQ(l.dialogs.shown().size(), 1u) << steps[step].second.toStdString();
        EXPECT_EQ(l.dialogs.shown().back().icon, step < 5 ? Icon::Information : Icon::None);
        EXPECT_EQ(l.dialogs.shown().back().buttons, DialogService::Buttons::Ok);
        EXPECT_EQ(l.dialogs.take(), QStringList{steps[step].second});
    }
    // The three corrections stayed behind.
    EXPECT_EQ(QStringList({e.discount, e.tax, e.freight}), QStringList({"0", "0", "0"}));

    // The 'None' questions in order: No stops and changes nothing, Yes writes "None".
    const QStringList questions{
        "The Product/Service was set to 'None'. This means that you are limiting the analysis possibilities of your "
        "products / services. Do you want to continue?",
        "The Sales Rep was set to 'None'. This means that if you analyse sales rep performance, one of the sales reps "
        "will be 'None'. Do you want to continue?",
        "The Marketing Tool was set to 'None'. This means that if you analyse marketing tools, one of the tools will "
        "be 'None'. Do you want to continue?"};
    QString SaleEntry::* const asked[] = {&SaleEntry::product, &SaleEntry::salesRep, &SaleEntry::marketingTool};
    for (int yes = 0; yes < 3; ++yes) {
        for (int i = 0; i < yes; ++i) l.dialogs.answer(Answer::Yes);
        l.dialogs.answerNo();
        EXPECT_FALSE(runSaleChecks(e, l.dialogs));
        EXPECT_EQ(l.dialogs.shown().back().buttons, DialogService::Buttons::YesNo);
        EXPECT_EQ(l.dialogs.shown().back().icon, Icon::None);
        EXPECT_EQ(l.dialogs.take(), questions.mid(0, yes + 1));
        for (int i = 0; i < yes; ++i) EXPECT_EQ(e.*asked[i], "None");
        EXPECT_EQ(e.*asked[yes], "");
    }

    // The last check: an empty sub total silently becomes "0" and stops.
    EXPECT_FALSE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.take(), questions);
    EXPECT_EQ(e.marketingTool, "None");
    EXPECT_EQ(e.subTotal, "0");
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    EXPECT_EQ(l.dialogs.take(), questions);  // the three 'None' questions again, answered Yes

    // Other spellings of 'None' are no 'None': no question, nothing changed.
    e.product = "none";
    e.salesRep = "NONE";
    e.marketingTool = " None";
    const SaleEntry before = e;
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    EXPECT_TRUE(l.dialogs.shown().empty());
    EXPECT_EQ(e, before);

    // A blank is not empty: it passes the check (and fails later as no number).
    e.unitPrice = " ";
    EXPECT_TRUE(runSaleChecks(e, l.dialogs));
    SaleAmounts amounts;
    QDate date;
    EXPECT_FALSE(readSaleInput(e, &amounts, &date, l.dialogs));
    EXPECT_TRUE(l.dialogs.last().contains("Unit Price"));
}

TEST(SalesTab, StoresTheSaleWithItsTwentyFiveFieldsAndASecondIdenticalOneWhenTheScreenIsKept)
{
    TestLedger l;
    addClient(l, "'Zed', 'Male', '30', '0-10,000', 'Irish', 'Carl', 'York', 'IE'");
    addClient(l, "'O''Brien & Co', 'Female', '41', '20-30,000', 'Welsh', 'Bob', 'Leeds', 'UK'");
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    SalesTab tab(*l.context);

    tab.Combo1_DropDown();
    EXPECT_EQ(entries(tab.Combo1), QStringList({"Zed", "O'Brien & Co"}));
    choose(tab.Combo1, 1);
    tab.Combo14_DropDown();
    EXPECT_EQ(entries(tab.Combo14), QStringList({"Own Ltd"}));
    fillSale(tab);
    tab.Command1_Click();

    // S = 59.97, +4 = 63.97, -2 = 61.97, tax R(10.84475) = 10.84, total 72.81.
    ASSERT_EQ(l.dialogs.take(), QStringList({texts::kAddSale, texts::kClearScreen}));
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
    // Month and year are stored as texts, the totals as numbers.
    EXPECT_EQ(l.env.scalar(QString("SELECT %1 || %2 || %3 FROM Mervalis2")
                               .arg(l.env.kindOf("Year"), l.env.kindOf("Month"), l.env.kindOf("SubTotal"))),
              l.env.onPostgres() ? "citextcitextnumeric" : "texttextreal");
    // Yes to the second question cleared the screen; the company stays.
    EXPECT_EQ(textsOf({tab.Combo1, tab.Text17, tab.Text62, tab.Text42, tab.Combo14}),
              QStringList({"", "0", "0", "", "Own Ltd"}));

    // The total shows before the question; No adds nothing.
    fillSale(tab);
    setTexts({tab.Text15, tab.Combo9, tab.Combo3, tab.Text34}, {"10", "10", "20", "5"});
    l.dialogs.answerNo();
    tab.Command1_Click();
    EXPECT_EQ(textsOf({tab.Text62, tab.Text63}), QStringList({"30", "30"}));
    EXPECT_EQ(storedSales(l), 1);
    // Kept on the screen, the same sale is added again.
    for (int sale = 0; sale < 2; ++sale) {
        l.dialogs.answer({Answer::Yes, Answer::No});  // add, keep the screen
        tab.Command1_Click();
        EXPECT_EQ(textsOf({tab.Combo1, tab.Text28, tab.Text15}), QStringList({"O'Brien & Co", "INV-7", "10"}));
    }
    const QStringList again = l.env.rows("SELECT * FROM Mervalis2 WHERE ID > 1 ORDER BY ID");
    ASSERT_EQ(again.size(), 2);
    EXPECT_EQ(again[0].section('|', 1), again[1].section('|', 1));  // all but the ID
    EXPECT_EQ(l.env.scalar("SELECT SUM(TotalDue) FROM Mervalis2 WHERE ID > 1"), "60");
}

TEST(SalesTab, ChecksAndInputThatIsNoNumberOrNoDateLeaveTheControlsForCorrectionAndStoreNothing)
{
    TestLedger l;
    SalesTab tab(*l.context);
    fillSale(tab);
    // Each check leaves its correction in its control: an empty discount
    // (told) and sub-total (silently) become 0; an empty product stays so on
    // No, and is 'None' on Yes, which goes on to the question to add.
    const std::tuple<QWidget*, QList<Answer>, QString, QString> corrected[] = {
        {tab.Combo9, {}, "0", "The discount field was empty."}, {tab.Text63, {}, "0", ""},
        {tab.Combo2, {Answer::No}, "", "The Product/Service was set to 'None'."},
        {tab.Combo2, {Answer::Yes, Answer::No}, "None", texts::kAddSale}};
    for (const auto& [control, answers, after, last] : corrected) {
        setTextOf(control, "");
        for (Answer answer : answers) l.dialogs.answer(answer);
        tab.Command1_Click();
        EXPECT_EQ(textOf(control), after) << control->objectName().toStdString();
        const QStringList told = l.dialogs.take();
        EXPECT_TRUE(last.isEmpty() ? told.isEmpty() : told.value(told.size() - 1).startsWith(last)) << last.toStdString();
    }

    // A value that is no number or no date: named, kept as typed, nothing stored.
    const std::tuple<QWidget*, QString, QString> cases[] = {
        {tab.Text15, "12,50", "Unit Price"}, {tab.Text17, "three", "Unit Quantity"}, {tab.Combo9, "10%", "Discount"},
        {tab.Combo3, "abc", "Tax %"},        {tab.Text34, "5 EUR", "Freight"},       {tab.Text33, "soon", "Sell Date"},
        {tab.Text33, "31.02.2026", "Sell Date"}, {tab.Text15, "1.2.3", "Unit Price"}, {tab.Text34, "5,5,5", "Freight"}};
    for (const auto& [control, text, caption] : cases) {
        fillSale(tab);
        setTexts({tab.Text62, tab.Text63, control}, {"0", "0", text});
        l.dialogs.clear();
        tab.Command1_Click();
        ASSERT_EQ(l.dialogs.shown().size(), 1u) << caption.toStdString();
        EXPECT_TRUE(l.dialogs.last().contains(caption) && l.dialogs.last().contains(text))
            << l.dialogs.last().toStdString();
        EXPECT_EQ(l.dialogs.shown().back().icon, Icon::Information);
        EXPECT_EQ(tab.Text62->text(), "0");
        EXPECT_EQ(textOf(control), text);
    }
    // A sale whose total would leave the range of amounts is refused.
    fillSale(tab);
    setTexts({tab.Text15, tab.Text17, tab.Text62}, {"500000000000000", "2", "0"});
    l.dialogs.clear();
    tab.Command1_Click();
    EXPECT_EQ(l.dialogs.texts(),
              QStringList({"This sale comes to more than the ledger can add up: every figure, every step of the total "
                           "and the total itself must stay below 900000000000000 either way. Please check Unit Price, "
                           "Unit Quantity, Discount, Tax % and Freight. Nothing has been added to the database."}));
    EXPECT_EQ(tab.Text62->text(), "0");
    EXPECT_EQ(storedSales(l), 0);
}

TEST(SalesTab, ClientAndCompanyListsAndTheClientCopy)
{
    TestLedger l;
    SalesTab tab(*l.context);
    // No client, no company: the no-records message, and the entry is cleared first.
    setTexts({tab.Text15, tab.Text28, tab.Combo14}, {"99", "R9", "Typed Ltd"});
    tab.Combo1_DropDown();
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoRecords}));
    EXPECT_EQ(textsOf({tab.Text15, tab.Text28}), QStringList({"0", ""}));
    EXPECT_EQ(tab.Combo1->count(), 0);
    tab.Combo14_DropDown();
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoRecords}));

    // Names in table order with repeats; a client without some fields.
    addClient(l, "'Bea', 'Female', '52', '40-50,000', 'Scottish', 'Ann', 'Perth', 'UK'");
    addClient(l, "'Acme', NULL, NULL, NULL, NULL, NULL, 'Hull', NULL");
    addClient(l, "'Bea', 'Male', '1', '1', '1', '1', '1', '1'");
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Zeta'), ('Alpha'), ('Zeta')");
    tab.Combo1_DropDown();
    tab.Combo14_DropDown();
    EXPECT_TRUE(l.dialogs.shown().empty());
    EXPECT_EQ(entries(tab.Combo1), QStringList({"Bea", "Acme", "Bea"}));
    EXPECT_EQ(entries(tab.Combo14), QStringList({"Zeta", "Alpha", "Zeta"}));
    EXPECT_EQ(tab.Combo14->currentText(), "Typed Ltd");

    // Choosing Bea copies the first Bea; then Acme copies only what it has.
    const auto copied = [&] {
        return textsOf({tab.Text21, tab.Text22, tab.Text26, tab.Text38, tab.Text40, tab.Text42, tab.Text43});
    };
    choose(tab.Combo1, 0);
    EXPECT_EQ(copied(), QStringList({"Female", "52", "40-50,000", "Scottish", "Ann", "Perth", "UK"}));
    tab.Combo1->setCurrentIndex(1);
    tab.Combo1_Click();
    EXPECT_EQ(copied(), QStringList({"Female", "52", "40-50,000", "Scottish", "Ann", "Hull", "UK"}));
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
    EXPECT_EQ(textsOf({tab.Text15, tab.Text17, tab.Combo2, tab.Text33, tab.Combo9, tab.Combo22, tab.Combo21,
                       tab.Text63, tab.Text62}),
              QStringList({"0", "1", "None", "0", "0", "None", "None", "0", "0"}));
    const QStringList taxes = entries(tab.Combo3);
    EXPECT_EQ(entries(tab.Combo9) + QStringList({taxes.first(), taxes.last(), QString::number(taxes.size())}),
              QStringList({"5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "5", "30", "26"}));
    EXPECT_TRUE(tab.Frame7->isHidden());

    fillSale(tab);
    setTexts({tab.Text21, tab.Text62}, {"Male", "12"});
    tab.Command5->click();
    EXPECT_EQ(textsOf({tab.Combo1, tab.Text15, tab.Text17, tab.Combo2, tab.Text33, tab.Combo9, tab.Combo3, tab.Text34,
                       tab.Text63, tab.Text62, tab.Text28, tab.Text25, tab.Text21, tab.Combo21, tab.Combo22,
                       tab.Combo14}),
              QStringList({"", "0", "0", "None", shortDateText(QDate::currentDate()), "0", "0", "0", "0", "0", "", "",
                           "", "None", "None", "Own Ltd"}));

    tab.Command29->click();
    tab.Command30->click();
    ASSERT_EQ(l.dialogs.shown().size(), 2u);
    EXPECT_TRUE(l.dialogs.shown()[0].text.endsWith("The Reference ID is case insensitive, so an ID of 'CISCO' or "
                                                   "'cisco' or 'Cisco' will relate to the same invoice."));
    EXPECT_TRUE(l.dialogs.shown()[1].text.startsWith("The sell date is critical for analysis functions."));
    EXPECT_EQ(l.dialogs.shown()[1].icon, Icon::Information);
}

// Under an English and a German desktop: typed key by key as the region
// writes numbers, shown so, stored as numbers.
TEST(RegionalNumbersSalesTab, TypedWithTheRegionsSeparatorShownSoAndStoredAsNumbers)
{
    TestLedger l;
    SalesTab tab(*l.context);
    const bool comma = QLocale::system().name() == "de_DE";
    fillSale(tab);
    const QList<QLineEdit*> boxes{tab.Text15, tab.Text17, tab.Combo3->lineEdit(), tab.Combo9->lineEdit(), tab.Text34};
    const QStringList typed{comma ? "19,99" : "19.99", "3", comma ? "7,5" : "7.5", "0", "0"};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->selectAll();
        QTest::keyClicks(boxes[i], typed[i]);
    }
    l.dialogs.answer({Answer::Yes, Answer::No});  // add, keep the screen
    tab.Command1->click();
    // 59.97 + R(4.49775) = 64.47
    EXPECT_EQ(textsOf({tab.Text62, tab.Text63}), QStringList(2, comma ? "64,47" : "64.47"));
    EXPECT_EQ(l.env.rows("SELECT Amount, Tax, SubTotal, TotalDue FROM Mervalis2"), QStringList{"19.99|7.5|64.47|64.47"});
}
