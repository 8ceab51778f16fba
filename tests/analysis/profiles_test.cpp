// Sold-client profiles, conversion and closing ratios, checked on the lists
// and on the chart; and every option on the sample ledger.
#include "analysis_support.h"
#include "data/data_control.h"
#include "setup/sample_data.h"

using namespace mervalis;
using namespace mervalis::test;

namespace {

void addClient(TestLedger& l, const QString& name, const QString& leadGivenTo = QString())
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis (ClientName, LeadGivenTo) VALUES (%1, %2)")
                   .arg(quoted(name), quoted(leadGivenTo)));
}

// The user typing an age range and picking its upper end.
void chooseAges(AnalysisFixture& f, const QString& from, const QString& to)
{
    f.tab->Combo28->setFocus();
    f.tab->Combo28->lineEdit()->selectAll();
    QTest::keyClicks(f.tab->Combo28, from);
    f.tab->Combo29->setFocus();
    f.tab->Combo29->lineEdit()->selectAll();
    QTest::keyClicks(f.tab->Combo29, to);
    emit f.tab->Combo29->activated(f.tab->Combo29->currentIndex());
}

}  // namespace

TEST(AnalysisProfiles, AgesOfTheChosenRange)
{
    AnalysisFixture f;
    for (int i = 0; i < 3; ++i) addSale(f.l, {.client = "Kim", .age = "21"});
    addSale(f.l, {.client = "Lee", .age = "35"});

    f.chooseOption("compare sold clients by age");
    EXPECT_TRUE(f.tab->Combo28->isVisibleTo(f.tab.get()));
    EXPECT_EQ(f.tab->Label48->text(), "Enter age range(from and to)");
    EXPECT_FALSE(f.tab->Check2->isVisibleTo(f.tab.get()));
    chooseAges(f, "20", "22");
    EXPECT_EQ(f.drawn(), QStringList({"Age20: 0 = 0", "Age21: 1 = 1", "Age22: 0 = 0"}));
    EXPECT_EQ(f.title(), "compare sold clients by age");
    chooseAges(f, "35", "35");
    EXPECT_EQ(f.drawn(), QStringList({"Age35: 1 = 1"}));

    chooseAges(f, "30", "25");
    EXPECT_TRUE(f.values().isEmpty());
    EXPECT_EQ(f.drawn(), QStringList({"Age35: 1 = 1"}));
    EXPECT_TRUE(f.l.dialogs.shown().empty());

    chooseAges(f, "twenty", "25");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"Please enter the age range as whole numbers from 0 to 150."}));
    EXPECT_EQ(f.drawn(), QStringList({"Age35: 1 = 1"}));
}

TEST(AnalysisProfiles, CitiesEthnicitiesSexesAndIncomeBandsCountDistinctClients)
{
    AnalysisFixture f;
    f.l.dialogs.clear();
    f.chooseOption("compare sold clients by ethnicity");
    EXPECT_EQ(f.l.dialogs.take(),
              QStringList({"This will compare clients you have sold to by ethnicity. Clients with no ethnicity data "
                           "entered will not be counted. Continue?",
                           "No sale has the client's ethnicity entered, so there is nothing to compare."}));

    addSale(f.l, {.client = "Kim", .sex = "Female", .income = "20-30,000", .ethnicity = "Irish", .city = "Cork"});
    addSale(f.l, {.client = "Kim", .sex = "Female", .income = "20-30,000", .ethnicity = "Irish", .city = "Cork"});
    addSale(f.l, {.client = "Lee", .sex = "Female", .income = "20-30,000", .ethnicity = "", .city = "Cork"});
    addSale(f.l, {.client = "Max", .sex = "Other", .income = "lots", .ethnicity = "Other", .city = "Derry"});

    f.chooseOption("compare sold clients by city");
    EXPECT_EQ(f.drawn(), QStringList({"Cork: 2 = 2", "Derry: 1 = 1"}));
    EXPECT_EQ(f.title(), "compare sold clients by city");
    f.chooseOption("compare sold clients by ethnicity");
    EXPECT_EQ(f.drawn(), QStringList({"Irish: 1 = 1", "Other: 1 = 1"}));
    f.chooseOption("compare sold clients by sex");
    EXPECT_EQ(f.drawn(), QStringList({"Male: 0 = 0", "Female: 2 = 2"}));
    f.chooseOption("compare sold clients by income");
    const QStringList bands = f.drawn();
    EXPECT_EQ(QStringList({bands.value(0), bands.value(2), bands.value(20), QString::number(bands.size())}),
              QStringList({"Less than 10,000: 0 = 0", "20-30,000: 2 = 2", "More than 200,000: 0 = 0", "21"}));

    f.l.dialogs.answerNo();
    f.chooseOption("compare sold clients by country");
    EXPECT_FALSE(f.tab->Check2->isVisibleTo(f.tab.get()));
    EXPECT_EQ(f.drawn().size(), 21);
}

TEST(AnalysisRatios, ConversionOfClientsAndClosingPerRep)
{
    AnalysisFixture f;
    f.chooseOption("conversion ratio (sold clients \\ clients)%");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"conversion ratio (sold clients \\ clients)%?",
                                               "There are no clients in the database, so there is no conversion "
                                               "ratio to compute."}));

    for (int i = 1; i <= 9; ++i) addClient(f.l, QStringLiteral("C%1").arg(i), i <= 2 ? "Ann" : "");
    // Ann: 4 invoices over 6 lines, 2 leads; Bob: 2 invoices, no leads.
    const char* annInvoices[] = {"R1", "R1", "r1", "R2", "R3", "R4"};
    for (const char* ref : annInvoices) addSale(f.l, {.client = "C1", .rep = "Ann", .reference = ref});
    addSale(f.l, {.client = "C2", .rep = "Bob", .reference = "R5"});
    addSale(f.l, {.client = "C3", .rep = "Bob", .reference = "R6"});
    addSale(f.l, {.client = "C3", .rep = "None", .reference = "R7"});
    addSale(f.l, {.client = "C3", .rep = "", .reference = "R8"});

    f.l.dialogs.answerNo();
    f.chooseOption("conversion ratio (sold clients \\ clients)%");
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 0);
    f.chooseOption("conversion ratio (sold clients \\ clients)%");
    EXPECT_EQ(f.drawn(), QStringList({"Clients sold to: 3 = 3", "Clients in database: 9 = 9",
                                      "Conversion Percentage: 33.33% = 33.33"}));
    EXPECT_EQ(f.title(), "conversion ratio (sold clients \\ clients)%");
    EXPECT_TRUE(f.legendShown());

    f.l.dialogs.clear();
    f.chooseOption("compare closing ratios per sales rep(%)");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"This will compare the closing ratios of sales reps. It compares the total sales made by the sales "
                                               "rep by the leads given to him/her. It is possible for a sales rep to make "
                                               "more sales than leads given, hence his/her ratio will be more than 100%. "
                                               "Sales with no sales rep data entered (or a sales rep of 'None') will not "
                                               "be counted.\r\n\r\nContinue?"}));
    EXPECT_EQ(f.drawn(), QStringList({"Ann: 200 = 200", "Bob: 200 = 200"}));
    EXPECT_EQ(f.title(), "compare closing ratios per sales rep(%)");
    // The grids are left on the last rep's invoices and leads.
    EXPECT_EQ(f.l.context->adodc2.recordCount(), 2);
    EXPECT_EQ(f.l.context->adodc1.recordCount(), 0);

    f.l.env.exec("UPDATE Mervalis2 SET SalesRep = 'None'");
    f.chooseOption("compare closing ratios per sales rep(%)");
    EXPECT_EQ(f.l.dialogs.last(),
              "No sale names a sales rep (other than 'None'), so there are no closing ratios to compare.");
}

TEST(AnalysisOnTheSampleLedger, TheConversionMatchesHandWrittenSqlAndNamesDifferingInCaseAreOne)
{
    AnalysisFixture f;
    QString error;
    ASSERT_TRUE(f.l.env.fillSampleLedger(setup::SampleLedger{}, &error)) << error.toStdString();
    const QString year = f.l.env.scalar("SELECT MAX(Year) FROM Mervalis2");

    // Every analysis's figures are compared with the sales by the kept-figure
    // tests; here the conversion's counts, and its percentage rounded to the cent.
    f.chooseOption("conversion ratio (sold clients \\ clients)%", year);
    const QStringList ratio = f.l.env.rows(
        "SELECT COUNT(DISTINCT ClientName), (SELECT COUNT(*) FROM Mervalis), "
        "ROUND(100.0 * COUNT(DISTINCT ClientName) / (SELECT COUNT(*) FROM Mervalis), 2) FROM Mervalis2")
                                  .value(0).split('|');
    ASSERT_EQ(ratio.size(), 3);
    EXPECT_EQ(QStringList({f.tab->MSChart1->data(1), f.tab->MSChart1->data(2)}), ratio.mid(0, 2));
    EXPECT_DOUBLE_EQ(f.tab->MSChart1->data(3).toDouble(), ratio[2].toDouble());
    EXPECT_EQ(f.tab->MSChart1->columnLabel(3), "Conversion Percentage: " + f.tab->MSChart1->data(3) + "%");

    // Names that differ only in case are one client, one rep and one
    // category: a sale for "thomasw" (sold to as "ThomasW") by "ben carter",
    // and a new client Zed whose lead went to "ben carter".
    addClient(f.l, "Zed", "ben carter");
    addSale(f.l, {.client = "thomasw", .year = year, .subTotal = "12.5", .rep = "ben carter", .reference = "NEW-1"});
    f.chooseOption("conversion ratio (sold clients \\ clients)%");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(3), "Conversion Percentage: 84.31%");  // 43 of 51
    f.chooseOption("compare closing ratios per sales rep(%)");
    EXPECT_EQ(f.labels().filter("ben carter", Qt::CaseInsensitive), QStringList{"Ben Carter"});
    // His invoices over the leads given to him, Zed's among them.
    const QString ben = "LOWER(%1) = 'ben carter'";
    EXPECT_NEAR(f.values()[f.labels().indexOf("Ben Carter")].toDouble(),
                100 * f.l.env.scalar("SELECT COUNT(DISTINCT LOWER(ReferenceID)) FROM Mervalis2 WHERE " + ben.arg("SalesRep")).toDouble() /
                    f.l.env.scalar("SELECT COUNT(*) FROM Mervalis WHERE " + ben.arg("LeadGivenTo")).toDouble(), 0.005);
    f.chooseOption("Compare sales rep income for all years");
    EXPECT_EQ(f.labels().filter("ben carter", Qt::CaseInsensitive), QStringList{"Ben Carter"});
    Currency sum;
    for (const QString& value : f.values().mid(0, f.values().size() - 1)) sum += Currency::fromDouble(value.toDouble());
    EXPECT_EQ(sum.text(), f.values().last());
}
