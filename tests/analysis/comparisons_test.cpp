// Year and all-years comparisons, checked on the lists and on the chart.
#include "analysis_support.h"
#include "data/data_control.h"

using namespace mervalis;
using namespace mervalis::test;

TEST(AnalysisComparisons, SalesByClientWithinAYearOneCategoryPerNameWhateverItsCaseAndANullOneAsEmpty)
{
    AnalysisFixture f;
    addSale(f.l, {.client = "A", .subTotal = "100"});
    addSale(f.l, {.client = "B", .subTotal = "30"});
    addSale(f.l, {.client = "A", .subTotal = "50"});
    addSale(f.l, {.client = "Z", .year = "2005", .subTotal = "999"});

    f.chooseOption("Compare sales by client");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"This will compare sales by client. Continue?"}));
    EXPECT_EQ(f.drawn(), QStringList({"A: 150 = 150", "B: 30 = 30"}));
    EXPECT_EQ(f.title(), "Compare sales by client");
    EXPECT_EQ(textsOf({f.tab->Text23, f.tab->Text24}), QStringList({"system", "system"}));
    EXPECT_FALSE(f.tab->Check2->isVisibleTo(f.tab.get()) || f.tab->Label28->isVisibleTo(f.tab.get()));

    // Ann and ann are one category, spelt as its first sale, Anne another;
    // a sale without a rep is the empty category, adding nothing.
    addSale(f.l, {.subTotal = "1", .rep = "Ann"});
    addSale(f.l, {.subTotal = "2", .rep = "Anne"});
    addSale(f.l, {.subTotal = "4", .rep = "ann"});
    f.l.env.exec("UPDATE Mervalis2 SET SalesRep = NULL WHERE ClientName = 'B'");
    f.chooseOption("Compare sales by sales rep");
    EXPECT_EQ(f.labels(), QStringList({"None", "", "Ann", "Anne"}));
    EXPECT_EQ(f.values(), QStringList({"150", "0", "5", "2"}));
    f.l.dialogs.clear();

    f.chooseOption("Compare sales by company", "1999");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"This will compare sales by company. Continue?",
                                               "There are no records for this year."}));
    EXPECT_TRUE(f.values().isEmpty());
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 4);  // the last chart stays

    f.l.dialogs.answerNo();
    f.chooseOption("Compare sales by product/service");
    EXPECT_TRUE(f.tab->Check2->isVisibleTo(f.tab.get()));
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 4);
}

TEST(AnalysisComparisons, TotalsOfAllYearsWithTheShareOfOneValue)
{
    AnalysisFixture f;
    f.chooseOption("Total Income (all years)");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"Total Income (all years)?",
                                               "A total of 0 will prevent this function executing. Ensure there "
                                               "are records in the database and that totals are greater than 0."}));
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 0);

    addSale(f.l, {.client = "A", .year = "2003", .subTotal = "25"});
    addSale(f.l, {.client = "B", .year = "2004", .subTotal = "40"});
    addSale(f.l, {.client = "C", .year = "2005", .subTotal = "35"});
    addSale(f.l, {.client = "D", .year = "2005", .subTotal = "0"});
    f.chooseOption("Total Income (all years)");
    EXPECT_EQ(f.drawn(), QStringList({"Total all years: 100 = 100"}));
    EXPECT_EQ(f.title(), "Total Income (all years)");
    EXPECT_TRUE(f.legendShown());

    f.chooseOption("Total income per client (all years)");
    EXPECT_TRUE(f.tab->Combo16->isVisibleTo(f.tab.get()));
    EXPECT_FALSE(f.tab->Label48->isVisibleTo(f.tab.get()));
    f.l.dialogs.clear();
    f.pick("A");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"Total income per client (all years)?"}));
    EXPECT_EQ(f.drawn(), QStringList({"Total all years: 100 = 100", "Total all years for: A= 25(25%) = 25"}));
    EXPECT_TRUE(f.values().isEmpty());
    f.pick("D");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(2), "Total all years for: D= 0(0%)");

    // No leaves the chart and the lists as they were.
    f.l.dialogs.answerNo();
    f.pick("C");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(2), "Total all years for: D= 0(0%)");
}

TEST(AnalysisComparisons, YearsInAscendingOrderAndEveryValueOverAllYearsThenTheTotal)
{
    AnalysisFixture f;
    addSale(f.l, {.client = "A", .year = "2005", .subTotal = "40"});
    addSale(f.l, {.client = "B", .year = "2003", .subTotal = "30"});
    addSale(f.l, {.client = "A", .year = "2005", .subTotal = "30"});
    f.chooseOption("compare sales by year");
    EXPECT_EQ(f.drawn(), QStringList({"2003: 30 = 30", "2005: 70 = 70"}));
    EXPECT_EQ(f.title(), "compare sales by year");
    EXPECT_TRUE(f.l.context->adodc2.recordSource().contains("'2005'"));

    // No leaves the chart as it was.
    f.l.dialogs.clear();
    f.l.dialogs.answerNo();
    f.chooseOption("Compare client income for all years");
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 2);
    EXPECT_FALSE(f.tab->Label28->isVisibleTo(f.tab.get()));

    f.chooseOption("Compare client income for all years");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"Compare client income for all years?",
                                               "Compare client income for all years?"}));
    EXPECT_EQ(f.drawn(), QStringList({"A: 70 = 70", "B: 30 = 30", "Total: 100 = 100"}));
    EXPECT_EQ(f.title(), "Compare client income for all years");
    EXPECT_EQ(f.tab->Text23->text(), "ClientName");
}
