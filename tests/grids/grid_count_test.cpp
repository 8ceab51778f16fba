#include "analysis/analysis_sql.h"
#include "app/form1.h"
#include "data/data_control.h"
#include "grids/client_grid_tab.h"
#include "grids/data_grid.h"
#include "grids/grid_count.h"
#include "grids/sales_grid_tab.h"
#include "invoice/invoice_tab.h"
#include "ui/drop_down_combo.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void clickTab(Form1& form, int index)
{
    QTabBar* bar = form.SSTab1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

void addSale(TestLedger& l, const QString& ref, const QString& paid)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, PAID, SubTotal, TotalDue) "
                              "VALUES ('O''Brien', '%1', '%2', 1, 1)")
                   .arg(ref, paid));
}

}  // namespace

TEST(GridCount, BeneathEachGridALineSaysHowManyRowsItHoldsOfHowManyAndWhich)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis (ClientName) VALUES ('O''Brien'), ('Acme');"
               "INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    for (const char* ref : {"NU-0001", "NU-0002", "NU-0002", "NU-0003"}) {
        addSale(l, ref, QLatin1String(ref) == QLatin1String("NU-0001") ? "PAID" : "unpaid");
    }
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    SalesGridTab& grid = *form.salesGridTab;
    ClientGridTab& clients = *form.clientGridTab;
    const QString viewAll = " View All Records /Refresh All Databases shows them all.";
    const auto salesLine = [&](int tab) {
        clickTab(form, tab);
        return grid.SalesShown->text();
    };

    clickTab(form, Form1::SalesGridIndex);
    EXPECT_EQ(grid.SalesShown->text(), "4 sales: the whole table.");
    EXPECT_EQ(grid.SalesShown->accessibleName(), "Sales shown");

    // An invoice retrieved: its sales, and its client on the Client Grid.
    clickTab(form, Form1::InvoiceIndex);
    openList(form.invoiceTab->Combo4);
    choose(form.invoiceTab->Combo4, form.invoiceTab->Combo4->findText("NU-0002"));
    EXPECT_EQ(salesLine(Form1::SalesGridIndex), "2 of 4 sales: the sales of invoice NU-0002." + viewAll);
    clickTab(form, Form1::ClientGridIndex);
    EXPECT_EQ(textsOf({clients.CompaniesShown, clients.ClientsShown}),
              QStringList({"1 company: the whole table.", "1 of 2 clients: the clients named O'Brien." + viewAll}));

    // The invoice list with "Outstanding" ticked holds the unpaid sales; a sale
    // another workstation adds meanwhile shows after Refresh View.
    clickTab(form, Form1::InvoiceIndex);
    QTest::mouseClick(form.invoiceTab->Check4, Qt::LeftButton);
    openList(form.invoiceTab->Combo4);
    addSale(l, "NU-0004", "unpaid");
    EXPECT_EQ(salesLine(Form1::SalesGridIndex), "3 of 5 sales: the unpaid sales." + viewAll);
    QTest::mouseClick(grid.Command3, Qt::LeftButton);
    EXPECT_EQ(grid.SalesShown->text(), "4 of 5 sales: the unpaid sales." + viewAll);

    // The whole table again; rows added elsewhere show when the tab is shown.
    grid.Command16->click();
    EXPECT_EQ(grid.SalesShown->text(), "5 sales: the whole table.");
    clickTab(form, Form1::CompanyIndex);
    addSale(l, "NU-0005", "unpaid");
    EXPECT_EQ(salesLine(Form1::SalesGridIndex),
              "5 of 6 sales: the table as at the last refresh. Refresh View shows them all.");

    // An analysis leaves rows of its own, or some of the sales.
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::soldClients()));
    EXPECT_EQ(grid.SalesShown->text(), "1 row worked out by the last analysis, not sales of the table (6 sales). "
                                       "View All Records /Refresh All Databases shows the table.");
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::monthSales(1, "2026")));
    EXPECT_EQ(grid.SalesShown->text(), "0 of 6 sales: those the last analysis looked at." + viewAll);
}
