#include "analysis/analysis_sql.h"
#include "app/form1.h"
#include "data/data_control.h"
#include "grids/client_grid_tab.h"
#include "grids/grid_count.h"
#include "grids/sales_grid_tab.h"
#include "invoice/invoice_tab.h"
#include "support/test_env.h"
#include "support/widgets.h"
#include "ui/drop_down_combo.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

TEST(GridCount, BeneathEachGridALineSaysHowManyRowsItHoldsOfHowManyAndWhich)
{
    TestLedger l;
    const auto addSale = [&](const char* ref, const char* paid) {
        l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, PAID) VALUES ('O''Brien', '%1', "
                                  "'%2')").arg(ref, paid));
    };
    l.env.exec("INSERT INTO Mervalis (ClientName) VALUES ('O''Brien'), ('Acme');"
               "INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    for (const char* ref : {"NU-0001", "NU-0002", "NU-0002"}) addSale(ref, "unpaid");
    addSale("NU-0003", "PAID");
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const GridCountLine* sales = form.salesGridTab->SalesShown;
    const auto show = [&](int tab) {
        QTest::mouseClick(form.SSTab1->tabBar(), Qt::LeftButton, {}, form.SSTab1->tabBar()->tabRect(tab).center());
        return sales->text();
    };
    const QString viewAll = " View All Records /Refresh All Databases shows them all.";
    EXPECT_EQ(show(Form1::SalesGridIndex), "4 sales: the whole table.");
    EXPECT_EQ(sales->accessibleName(), "Sales shown");

    // An invoice retrieved: its sales, and its client on the Client Grid.
    show(Form1::InvoiceIndex);
    openList(form.invoiceTab->Combo4);
    choose(form.invoiceTab->Combo4, form.invoiceTab->Combo4->findText("NU-0002"));
    EXPECT_EQ(show(Form1::SalesGridIndex), "2 of 4 sales: the sales of invoice NU-0002." + viewAll);
    show(Form1::ClientGridIndex);
    EXPECT_EQ(textsOf({form.clientGridTab->CompaniesShown, form.clientGridTab->ClientsShown}),
              QStringList({"1 company: the whole table.", "1 of 2 clients: the clients named O'Brien." + viewAll}));

    // "Outstanding": the unpaid sales; one another workstation adds meanwhile
    // counts in the table at once, and in the grid after Refresh View.
    show(Form1::InvoiceIndex);
    QTest::mouseClick(form.invoiceTab->Check4, Qt::LeftButton);
    openList(form.invoiceTab->Combo4);
    addSale("NU-0004", "unpaid");
    EXPECT_EQ(show(Form1::SalesGridIndex), "3 of 5 sales: the unpaid sales." + viewAll);
    QTest::mouseClick(form.salesGridTab->Command3, Qt::LeftButton);
    EXPECT_EQ(sales->text(), "4 of 5 sales: the unpaid sales." + viewAll);
    QTest::mouseClick(form.salesGridTab->Command16, Qt::LeftButton);
    show(Form1::CompanyIndex);
    addSale("NU-0005", "unpaid");
    EXPECT_EQ(show(Form1::SalesGridIndex), "5 of 6 sales: the table as at the last refresh. Refresh View shows them all.");

    // What an analysis leaves: rows of its own, or some of the sales.
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::soldClients()));
    EXPECT_EQ(sales->text(), "1 row worked out by the last analysis, not sales of the table (6 sales). "
                             "View All Records /Refresh All Databases shows the table.");
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::monthSales(1, "2026")));
    EXPECT_EQ(sales->text(), "0 of 6 sales: those the last analysis looked at." + viewAll);
}
