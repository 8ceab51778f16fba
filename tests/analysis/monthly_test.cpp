// The selector and the monthly analyses on the Analysis tab, driven as a user
// drives them, on a real ledger.
#include "analysis/analysis_options.h"
#include "analysis_support.h"
#include "data/data_control.h"
#include "data/database.h"
#include "ui/drop_down_combo.h"

#include <QGroupBox>

using namespace mervalis;
using namespace mervalis::test;

namespace {

QStringList monthLabels(const QStringList& figures)
{
    const QStringList names{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QStringList labels;
    for (int i = 0; i < 12; ++i) labels << names[i] + ": " + figures[i] + " = " + figures[i];
    return labels;
}

}  // namespace

TEST(AnalysisMonthly, TotalIncomeOfAYearWithSalesInMarchAndOctoberOnly)
{
    AnalysisFixture f;
    addSale(f.l, {.month = "3", .year = "2003", .subTotal = "100.1"});
    addSale(f.l, {.month = "3", .year = "2003", .subTotal = "0.2"});
    addSale(f.l, {.month = "10", .year = "2003", .subTotal = "1234.5678"});
    addSale(f.l, {.month = "3", .year = "2004", .subTotal = "999"});

    f.chooseOption("Total Income (all companies)", "2003");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"This will calculate total income for all companies. Continue?"}));
    const QStringList figures{"0", "0", "100.3", "0", "0", "0", "0", "0", "0", "1234.5678", "0", "0"};
    EXPECT_EQ(f.drawn(), monthLabels(figures));
    EXPECT_EQ(f.title(), "Total Amount per month");
    // The option list emptied, the legend ticked and shown, the notices back as they were.
    EXPECT_EQ(f.tab->Combo7->currentText(), "");
    EXPECT_TRUE(f.legendShown() && f.tab->Check8->isChecked() && !f.tab->Label28->isVisible());
    EXPECT_TRUE(!f.label4.isHidden() && f.label37.isHidden());
    // The sales grid is left on the last month looked at.
    EXPECT_TRUE(f.l.context->adodc2.recordSource().startsWith("SELECT * FROM Mervalis2 WHERE month = '12'"));

    // A year typed as 02 finds nothing stored as 2002.
    addSale(f.l, {.month = "5", .year = "2002", .subTotal = "10"});
    f.chooseOption("Total Income (all companies)", "02");
    EXPECT_EQ(f.values(), QStringList(12, "0"));
}

TEST(AnalysisMonthly, OptionZeroNeedsAYearAndNoChangesNothing)
{
    AnalysisFixture f;
    addSale(f.l, {.month = "3", .subTotal = "5"});

    f.tab->Combo8->setFocus();
    f.tab->Combo8->lineEdit()->selectAll();
    QTest::keyClick(f.tab->Combo8, Qt::Key_Delete);
    openList(f.tab->Combo7);
    choose(f.tab->Combo7, 0);
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"This will calculate total income for all companies. Continue?",
                                               "You must enter a year."}));
    EXPECT_EQ(f.tab->Combo7->currentText(), "");
    EXPECT_TRUE(f.values().isEmpty() && f.tab->MSChart1->columnCount() == 0);

    f.l.dialogs.answerNo();
    f.chooseOption("Total Income (all companies)");
    EXPECT_EQ(f.tab->Combo7->currentText(), "Total Income (all companies)");
    EXPECT_TRUE(f.values().isEmpty() && f.tab->MSChart1->columnCount() == 0);

    // A separator only empties the chooser.
    f.chooseOption("Income (per company)");
    f.l.dialogs.clear();
    f.chooseOption("");
    EXPECT_EQ(f.tab->Combo16->count(), 0);
    EXPECT_TRUE(f.l.dialogs.shown().empty());
}

TEST(AnalysisMonthly, ChooserListsTheStoredRepsOnceWhateverTheirCaseAndPicksRunOneAfterTheOther)
{
    AnalysisFixture f;
    addSale(f.l, {.month = "1", .subTotal = "10", .rep = "Ann"});
    addSale(f.l, {.month = "2", .subTotal = "20", .rep = "Ann"});
    addSale(f.l, {.month = "2", .subTotal = "5", .rep = "Anne"});
    addSale(f.l, {.month = "12", .subTotal = "7.25", .rep = "Bob"});
    addSale(f.l, {.month = "12", .subTotal = "1", .rep = "ann"});

    f.chooseOption("Income (per sales rep)");
    EXPECT_TRUE(f.tab->Combo16->isVisibleTo(f.tab.get()));
    EXPECT_EQ(f.tab->Label48->text(), "Select sales rep name");
    EXPECT_EQ(f.tab->Text23->text(), "SalesRep");
    openList(f.tab->Combo16);
    EXPECT_EQ(entries(f.tab->Combo16), QStringList({"Ann", "Anne", "Bob"}));

    // Ann's figures take in ann's December sale.
    choose(f.tab->Combo16, 0);
    EXPECT_EQ(f.values(), QStringList({"10", "20", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1"}));
    EXPECT_EQ(f.tab->Text23->text(), "system");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(2), "Feb: 20");
    f.pick("Bob");
    EXPECT_EQ(f.values(), QStringList({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "7.25"}));
    EXPECT_EQ(f.tab->MSChart1->columnLabel(12), "Dec: 7.25");
    EXPECT_TRUE(f.l.dialogs.shown().empty());
}

TEST(AnalysisMonthly, EntityFilterIsExactAndCompaniesFirstComeFromTheirTable)
{
    AnalysisFixture f;
    for (const char* name : {"A", "B", "A"}) {
        f.l.env.exec(QStringLiteral("INSERT INTO Mervalis3 (CompanyName) VALUES ('%1')").arg(name));
    }
    addSale(f.l, {.client = "Smith Ltd", .month = "4", .subTotal = "50", .company = "O'Neill & Co"});
    addSale(f.l, {.client = "Smith", .month = "4", .subTotal = "8", .company = "B"});

    f.chooseOption("Income (per company)");
    EXPECT_EQ(entries(f.tab->Combo16), QStringList({"A", "B", "A"}));
    f.pick("O'Neill & Co");
    EXPECT_EQ(f.values()[3], "50");

    f.chooseOption("Income (per client)");
    f.pick("Smith");
    EXPECT_EQ(f.values()[3], "8");
    f.pick("Smith Ltd");
    EXPECT_EQ(f.values()[3], "50");
}

TEST(AnalysisMonthly, CountsCarryNumbersThenMonthLabelsAndFoldIntoQuarters)
{
    AnalysisFixture f;
    for (const char* month : {"1", "1", "2", "7"}) addSale(f.l, {.month = month, .company = "Acme"});
    addSale(f.l, {.month = "1", .company = "Other"});

    f.chooseOption("Total number of Sales (all companies)");
    EXPECT_EQ(f.values(), QStringList({"3", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(f.title(), "Sales per month for: ");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(1), "Jan: 3");
    EXPECT_FALSE(f.tab->Check2->isVisibleTo(f.tab.get()));

    f.chooseOption("number of Sales (per company)");
    EXPECT_TRUE(f.tab->Combo16->isVisibleTo(f.tab.get()));
    EXPECT_FALSE(f.tab->Label48->isVisibleTo(f.tab.get()));
    f.pick("Acme");
    EXPECT_EQ(f.values(), QStringList({"2", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(f.title(), "Sales per month for: Acme");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(7), "Jul: 1");

    // The quarterly view of counts keeps the amount title.
    f.tab->Check2->click();
    EXPECT_EQ(f.drawn(), QStringList({"1st: 3 = 3", "2nd: 0 = 0", "3rd: 1 = 1", "4th: 0 = 0"}));
    EXPECT_EQ(f.title(), "Total Amount per quarter");
    // A new pick while quarters are shown draws the months with their numbers only.
    f.pick("Other");
    EXPECT_TRUE(f.tab->Check2->isChecked());
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 12);
    EXPECT_EQ(f.tab->MSChart1->columnLabel(1), "1");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(12), "12");
    EXPECT_EQ(f.tab->MSChart1->data(1), "1");
}

TEST(AnalysisMonthly, QuartersAndTheResetWhileViewQuarterlyIsTicked)
{
    AnalysisFixture f;
    f.tab->Check2->click();
    EXPECT_EQ(f.l.dialogs.take(),
              QStringList({"You must perform an analysis before you can retrieve quarterly figures."}));
    EXPECT_FALSE(f.tab->Check2->isChecked());

    addSale(f.l, {.month = "1", .subTotal = "100"});
    addSale(f.l, {.month = "2", .subTotal = "200"});
    addSale(f.l, {.month = "3", .subTotal = "300"});
    addSale(f.l, {.month = "10", .subTotal = "10.5"});
    f.chooseOption("Total Income (all companies)");
    f.l.dialogs.clear();

    f.tab->Check2->click();
    EXPECT_EQ(f.drawn(), QStringList({"1st: 600 = 600", "2nd: 0 = 0", "3rd: 0 = 0", "4th: 10.5 = 10.5"}));
    EXPECT_EQ(f.title(), "Total Amount per quarter");
    EXPECT_TRUE(f.legendShown());
    const QStringList figures{"100", "200", "300", "0", "0", "0", "0", "0", "0", "10.5", "0", "0"};

    // Unticked: the months again with their labels, the legend hidden.
    f.tab->Check2->click();
    EXPECT_EQ(f.drawn(), monthLabels(figures));
    EXPECT_EQ(f.title(), "Total Amount per month");
    EXPECT_FALSE(f.legendShown() || f.tab->Check8->isChecked());

    // Opening the option list while ticked draws the months again, then empties the lists.
    f.tab->Check2->click();
    openList(f.tab->Combo7);
    EXPECT_FALSE(f.tab->Check2->isChecked());
    EXPECT_EQ(f.drawn(), monthLabels(figures));
    EXPECT_TRUE(f.values().isEmpty() && f.l.dialogs.shown().empty());
    EXPECT_EQ(f.l.context->adodc2.recordSource(), "SELECT * FROM Mervalis2");
}
