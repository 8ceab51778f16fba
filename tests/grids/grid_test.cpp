#include "grids/client_grid_tab.h"
#include "data/client_table.h"
#include "data/data_control.h"
#include "grids/data_grid.h"
#include "grids/sales_grid_tab.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void addSale(TestLedger& l, const QString& client, const QString& ref, double total)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, Notes, Month, Year, SubTotal, TotalDue) "
                              "VALUES ('%1', '%2', 'note', '7', '2026', %3, %3)")
                   .arg(client, ref)
                   .arg(total));
}

void addClients(TestLedger& l, const QStringList& namesAndCities)
{
    for (int i = 0; i + 1 < namesAndCities.size(); i += 2) {
        l.env.exec(QStringLiteral("INSERT INTO Mervalis (ClientName, City) VALUES ('%1', '%2')")
                       .arg(namesAndCities[i], namesAndCities[i + 1]));
    }
}

// A field of the stored sale with this reference.
QString stored(TestLedger& l, const QString& field, const QString& ref)
{
    return l.env.scalar(QStringLiteral("SELECT %1 FROM Mervalis2 WHERE ReferenceID = '%2'").arg(field, ref));
}

// The two grid tabs with the foot line of the main window.
struct GridTabs {
    QLabel label4{QStringLiteral("notice")};
    QLabel label37;
    SalesGridTab sales;
    ClientGridTab clients;

    explicit GridTabs(TestLedger& l) : sales(*l.context, FootLine{&label4, &label37}), clients(*l.context, sales)
    {
        label37.hide();
    }
    QList<DataGrid*> all() const { return {sales.DataGrid2, clients.DataGrid1, clients.DataGrid3}; }
};

QStringList column(const DataGrid* grid, const QString& name)
{
    QStringList values;
    const int c = columnOf(grid->model(), name);
    for (int r = 0; r < grid->model()->rowCount(); ++r) values << grid->model()->index(r, c).data().toString();
    return values;
}

bool edit(DataGrid* grid, int row, const QString& field, const QString& value)
{
    return grid->model()->setData(grid->model()->index(row, columnOf(grid->model(), field)), value);
}

void pressDelete(DataGrid* grid, int row)
{
    grid->selectRow(row);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(grid, &press);
}

void clickRowSelector(DataGrid* grid, int row) { emit grid->verticalHeader()->sectionClicked(row); }

void sortBy(QComboBox* list, const QString& field)
{
    list->setCurrentText(field);
    emit list->activated(list->currentIndex());
}

}  // namespace

TEST(Grids, ShowTheirDataControlsAndViewAllRecordsResetsThemToWholeTables)
{
    TestLedger l;
    addClients(l, {"Acme", "Leeds", "Bolt", "York", "Crane", "Hull"});
    addSale(l, "Acme", "R1", 30);
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    GridTabs tabs(l);

    // Captions, tool tips, labels and the sort lists as the user sees them.
    EXPECT_EQ(tabs.sales.DataGrid2->accessibleName(), "SALES");
    EXPECT_EQ(tabs.clients.DataGrid3->accessibleName(), "COMPANIES");
    EXPECT_EQ(tabs.clients.DataGrid1->accessibleName(), "CLIENTS");
    EXPECT_EQ(tabs.sales.Command3->toolTip(), "Refreshes the view, needed when an item has an ID  of 0");
    EXPECT_EQ(tabs.clients.Command22->text(), "View All Records /Refresh All Databases");
    EXPECT_EQ(tabs.clients.Command22->toolTip(), "This gets all records from the database");
    EXPECT_EQ(tabs.sales.Label43->text(), tabs.clients.Label38->text());
    EXPECT_TRUE(tabs.sales.Label43->text().startsWith("If an item has an ID of 0, you need to Refresh View."));
    EXPECT_EQ(textsOf({tabs.sales.Combo12, tabs.clients.Combo13}), QStringList({"ClientName", "ClientName"}));
    EXPECT_EQ(tabs.sales.Combo12->count(), 8);
    EXPECT_EQ(tabs.clients.Combo13->count(), 13);

    // View All Records from the Client Grid tab: captions in order, then "Done.".
    QStringList captions;
    for (DataControl* control : {&l.store->adodc1, &l.store->adodc2, &l.store->adodc3}) {
        QObject::connect(control, &DataControl::leavingRecord, [&] { captions << tabs.label37.text(); });
    }
    tabs.clients.Command22_Click();
    EXPECT_EQ(captions, (QStringList{"10% completed...please wait", "30% completed...please wait",
                                     "50% completed...please wait"}));
    EXPECT_EQ(tabs.label37.text(), "70% completed...please wait");
    EXPECT_TRUE(tabs.label37.isHidden());
    EXPECT_FALSE(tabs.label4.isHidden());
    EXPECT_EQ(l.dialogs.texts(), QStringList{"Done."});
    EXPECT_EQ(l.dialogs.shown().back().icon, ScriptedDialogs::Icon::Information);
    EXPECT_EQ(column(tabs.clients.DataGrid1, "ClientName"), (QStringList{"Acme", "Bolt", "Crane"}));
    EXPECT_EQ(tabs.sales.DataGrid2->model()->rowCount(), 1);
    EXPECT_EQ(columnOf(tabs.sales.DataGrid2->model(), "ID"), 0);
    EXPECT_EQ(tabs.sales.DataGrid2->model()->columnCount(), 27);
    EXPECT_EQ(column(tabs.clients.DataGrid3, "CompanyName"), QStringList{"Own Ltd"});

    // A retrieved client: the clients grid shows only that client, also
    // after Refresh View, until View All Records.
    ASSERT_TRUE(l.store->adodc1.query(client_table::selectByName("Bolt")));
    EXPECT_EQ(column(tabs.clients.DataGrid1, "ClientName"), QStringList{"Bolt"});
    tabs.clients.Command18_Click();
    EXPECT_EQ(l.dialogs.last(), "View refreshed!");
    EXPECT_EQ(column(tabs.clients.DataGrid1, "ClientName"), QStringList{"Bolt"});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the hourglass is gone again
    tabs.sales.Command16_Click();
    EXPECT_EQ(column(tabs.clients.DataGrid1, "ClientName"), (QStringList{"Acme", "Bolt", "Crane"}));

    // The grid message: the current cell's text in a plain box.
    DataGrid* sales = tabs.sales.DataGrid2;
    sales->setCurrentIndex(sales->model()->index(0, columnOf(sales->model(), "ReferenceID")));
    tabs.sales.DataGrid2_DblClick();
    EXPECT_EQ(l.dialogs.last(), "R1");
    EXPECT_EQ(l.dialogs.shown().back().icon, ScriptedDialogs::Icon::None);
    EXPECT_EQ(l.dialogs.shown().back().buttons, ScriptedDialogs::Buttons::Ok);
}

TEST(Grids, UpdateAndDeleteOnlyWhileAllowedFromEitherTabAndNeverOnIdZero)
{
    TestLedger l;
    addSale(l, "Acme", "R1", 30);
    addSale(l, "Bolt", "R2", 5);
    addClients(l, {"Acme", "Leeds", "Bolt", "York"});
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    DataGrid* sales = tabs.sales.DataGrid2;
    DataGrid* clients = tabs.clients.DataGrid1;
    l.dialogs.clear();

    // Both off at start: no cell can be edited, Delete does nothing.
    for (DataGrid* grid : tabs.all()) EXPECT_FALSE(grid->allowUpdate() || grid->allowDelete());
    EXPECT_FALSE(edit(sales, 0, "Notes", "changed"));
    EXPECT_FALSE(sales->model()->flags(sales->model()->index(0, 1)) & Qt::ItemIsEditable);
    pressDelete(clients, 0);
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis"), "2");

    // No leaves everything as it was; Yes on the Client Grid tab allows
    // updating in all three grids.
    l.dialogs.answerNo();
    tabs.clients.Command19_Click();
    EXPECT_FALSE(sales->allowUpdate());
    tabs.clients.Command19_Click();
    ASSERT_EQ(l.dialogs.shown().size(), 3u);
    EXPECT_EQ(l.dialogs.shown()[1].buttons, ScriptedDialogs::Buttons::YesNo);
    EXPECT_EQ(l.dialogs.shown()[1].text,
              "This will allow you to update / change a record directly from the grid? After you make a change, "
              "click on the arrow to the left of the item you change (on the grey area) to apply that change. "
              "Then click on Refresh View and check to see the change has been applied.\r\n\r\n"
              "If any item has an ID of 0 (usually the last record added), you must Refresh View before you make "
              "any changes.\r\n\r\nDo you want to update / change a record?");
    EXPECT_EQ(l.dialogs.take().last(), "Update set to allow. You don't have to press this button again. Remember to "
                                "reset to default once you have finished.");
    for (DataGrid* grid : tabs.all()) EXPECT_TRUE(grid->allowUpdate() && !grid->allowDelete());

    // A sale's notes changed in the grid wait for the row selector.
    ASSERT_TRUE(edit(sales, 1, "Notes", "Paid by O'Hara"));
    EXPECT_EQ(column(sales, "Notes").value(1), "Paid by O'Hara");
    EXPECT_EQ(stored(l, "Notes", "R2"), "note");
    clickRowSelector(sales, 1);
    EXPECT_EQ(stored(l, "Notes", "R2"), "Paid by O'Hara");
    EXPECT_EQ(stored(l, "Notes", "R1"), "note");
    // Typed into an open cell editor, applied by the row selector.
    const QModelIndex cell = sales->model()->index(0, columnOf(sales->model(), "SalesRep"));
    sales->setCurrentIndex(cell);
    sales->edit(cell);
    auto* editor = sales->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Kim");
    clickRowSelector(sales, 0);
    EXPECT_EQ(stored(l, "SalesRep", "R1"), "Kim");
    // The ID is the database's and is never edited.
    EXPECT_FALSE(edit(sales, 0, "ID", "99"));

    // A letter in a number field: the database's reason, the stored row kept.
    ASSERT_TRUE(edit(sales, 0, "TotalDue", "12x"));
    clickRowSelector(sales, 0);
    const QStringList reason = l.dialogs.take();
    ASSERT_EQ(reason.size(), 1);
    EXPECT_TRUE(reason[0].contains("CHECK constraint failed")) << reason[0].toStdString();
    EXPECT_EQ(stored(l, "TotalDue", "R1"), "30");
    EXPECT_EQ(column(sales, "TotalDue").value(0), "30");
    // A number is stored as a number; taking up another row commits the edited one.
    ASSERT_TRUE(edit(sales, 0, "TotalDue", "31.5"));
    ASSERT_TRUE(edit(sales, 1, "Notes", "second"));
    EXPECT_EQ(stored(l, "typeof(TotalDue) || TotalDue", "R1"), "real31.5");
    // Leaving the record (Refresh View) commits the last edited row too.
    tabs.sales.Command3_Click();
    EXPECT_EQ(stored(l, "Notes", "R2"), "second");
    EXPECT_EQ(column(sales, "Notes"), (QStringList{"note", "second"}));

    // Allow Delete on the Sales Grid tab reaches the clients grid.
    l.dialogs.clear();
    pressDelete(clients, 1);
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis"), "2");
    tabs.sales.Command8_Click();
    EXPECT_TRUE(l.dialogs.shown()[0].text.endsWith("press delete on your keyboard.\r\n\r\nIf any item has an ID of 0 "
                                                   "(usually the last record added), you must Refresh View before "
                                                   "you make any changes.\r\n\r\nDo you want to delete records?"));
    EXPECT_EQ(l.dialogs.last(), "Delete set to allow. You don't have to press this button again. Please remember "
                                "to reset to default once you have finished.");
    EXPECT_TRUE(clients->allowDelete());
    pressDelete(clients, 1);
    EXPECT_EQ(l.env.rows("SELECT ClientName FROM Mervalis"), QStringList{"Acme"});
    EXPECT_EQ(column(clients, "ClientName"), QStringList{"Acme"});

    // A row added since the view was read shows ID 0: changing or deleting it
    // is refused until Refresh View numbers it.
    ASSERT_TRUE(l.store->adodc2.addNew({"ClientName", "ReferenceID", "TotalDue"}, {"Crane", "R3", "5"}));
    EXPECT_EQ(column(sales, "ID"), (QStringList{"1", "2", "0"}));
    l.dialogs.clear();
    ASSERT_TRUE(edit(sales, 2, "Notes", "too early"));
    clickRowSelector(sales, 2);
    pressDelete(sales, 2);
    EXPECT_EQ(l.dialogs.texts(), QStringList(2, DataControl::refreshFirstMessage()));
    EXPECT_EQ(stored(l, "Notes", "R3"), "<null>");
    EXPECT_EQ(column(sales, "Notes").value(2), "");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "3");
    tabs.sales.Command3_Click();
    const QString id = stored(l, "ID", "R3");
    EXPECT_EQ(column(sales, "ID"), (QStringList{"1", "2", id}));
    EXPECT_NE(id, "0");
    ASSERT_TRUE(edit(sales, 2, "Notes", "now"));
    clickRowSelector(sales, 2);
    EXPECT_EQ(stored(l, "Notes", "R3"), "now");
    pressDelete(sales, 2);
    EXPECT_EQ(l.env.rows("SELECT ReferenceID FROM Mervalis2"), (QStringList{"R1", "R2"}));

    // Reset from the Client Grid tab: no question, all grids read-only again;
    // a change not applied by its row selector is dropped, and the user told.
    ASSERT_TRUE(edit(sales, 0, "Notes", "not applied"));
    l.dialogs.clear();
    tabs.clients.Command21_Click();
    EXPECT_EQ(l.dialogs.take(), (QStringList{"Changes that had not been applied with the arrow to the left of "
                                              "their item were discarded.",
                                              "Defaults reset to not allow."}));
    EXPECT_EQ(column(sales, "Notes").value(0), "note");
    tabs.clients.Command21_Click();
    EXPECT_EQ(l.dialogs.texts(), QStringList{"Defaults reset to not allow."});
    for (DataGrid* grid : tabs.all()) EXPECT_FALSE(grid->allowUpdate() || grid->allowDelete());
    EXPECT_FALSE(edit(sales, 0, "Notes", "late"));
    pressDelete(sales, 0);
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "2");
}

TEST(Grids, ACorrectionGoesToTheRecordWithItsIdWhereverTheRowStands)
{
    TestLedger l;
    addSale(l, "Acme", "R1", 30);
    addSale(l, "Bolt", "R2", 5);
    addSale(l, "Crane", "R3", 12);
    addClients(l, {"Acme", "Leeds", "Bolt", "York", "Crane", "Hull"});
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    l.dialogs.answer({DialogService::Answer::Yes, DialogService::Answer::Ok, DialogService::Answer::Yes});
    tabs.sales.Command6_Click();
    tabs.sales.Command8_Click();
    DataGrid* sales = tabs.sales.DataGrid2;
    DataGrid* clients = tabs.clients.DataGrid1;

    // Sorted by total, the first row is R2 (ID 2), the second R3 (ID 3).
    sortBy(tabs.sales.Combo12, "TotalDue");
    ASSERT_EQ(column(sales, "ReferenceID"), (QStringList{"R2", "R3", "R1"}));
    ASSERT_TRUE(edit(sales, 0, "Notes", "first shown"));
    clickRowSelector(sales, 0);
    ASSERT_TRUE(edit(sales, 1, "Notes", "second shown"));
    clickRowSelector(sales, 1);
    EXPECT_EQ(l.env.rows("SELECT ID, ReferenceID, Notes FROM Mervalis2 ORDER BY ID"),
              (QStringList{"1|R1|note", "2|R2|first shown", "3|R3|second shown"}));

    // After the first client is deleted, the first row is Bolt (ID 2).
    pressDelete(clients, 0);
    ASSERT_EQ(column(clients, "ClientName"), (QStringList{"Bolt", "Crane"}));
    ASSERT_TRUE(edit(clients, 0, "City", "Ripon"));
    clickRowSelector(clients, 0);
    EXPECT_EQ(l.env.rows("SELECT ID, ClientName, City FROM Mervalis ORDER BY ID"),
              (QStringList{"2|Bolt|Ripon", "3|Crane|Hull"}));
    EXPECT_EQ(column(clients, "City"), (QStringList{"Ripon", "Hull"}));
}

TEST(Grids, SortingReordersInMemoryAndRefreshViewRestoresDatabaseOrder)
{
    TestLedger l;
    addSale(l, "Acme", "R1", 30);
    addSale(l, "Bolt", "R2", 5);
    addSale(l, "Crane", "R3", 12);
    addClients(l, {"Zed", "Derby", "Acme", "Leeds", "Moss", "Bath"});
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    DataGrid* sales = tabs.sales.DataGrid2;
    DataGrid* clients = tabs.clients.DataGrid1;

    // A row stored after the view was read does not appear: no query is sent.
    addSale(l, "Dale", "R4", 1);
    sortBy(tabs.sales.Combo12, "TotalDue");
    EXPECT_EQ(column(sales, "TotalDue"), (QStringList{"5", "12", "30"}));
    EXPECT_EQ(l.store->adodc2.recordSource(), "SELECT * FROM Mervalis2");
    sortBy(tabs.sales.Combo12, "ID");
    EXPECT_EQ(column(sales, "ReferenceID"), (QStringList{"R1", "R2", "R3"}));
    sortBy(tabs.sales.Combo12, "TotalDue");
    tabs.sales.Command3_Click();
    EXPECT_EQ(column(sales, "TotalDue"), (QStringList{"30", "5", "12", "1"}));

    // Clients by name (the list's first text), then by their automatic number and by city.
    tabs.clients.Combo13_Click();
    EXPECT_EQ(column(clients, "ClientName"), (QStringList{"Acme", "Moss", "Zed"}));
    sortBy(tabs.clients.Combo13, "ID");
    EXPECT_EQ(column(clients, "ClientName"), (QStringList{"Zed", "Acme", "Moss"}));
    sortBy(tabs.clients.Combo13, "City");
    EXPECT_EQ(column(clients, "City"), (QStringList{"Bath", "Derby", "Leeds"}));

    // A record set without the chosen column: the user is told, nothing changes.
    ASSERT_TRUE(l.store->adodc2.query("SELECT ClientName, ReferenceID FROM Mervalis2"));
    l.dialogs.clear();
    sortBy(tabs.sales.Combo12, "TotalDue");
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().startsWith("The grid has no column \"TotalDue\" to sort by."));
    EXPECT_EQ(column(sales, "ReferenceID"), (QStringList{"R1", "R2", "R3", "R4"}));
}
