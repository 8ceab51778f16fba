#include "grids/client_grid_tab.h"
#include "grids/grid_export.h"
#include "data/client_table.h"
#include "data/data_control.h"
#include "data/dates.h"
#include "grids/data_grid.h"
#include "grids/sales_grid_tab.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"

#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>

#include <tuple>

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

// Selects the rows (a click, then Ctrl and a click) and presses Delete.
void pressDelete(DataGrid* grid, int row, int andRow = -1)
{
    grid->selectRow(row);
    if (andRow >= 0) {
        grid->selectionModel()->select(grid->model()->index(andRow, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(grid, &press);
}

void clickRowSelector(DataGrid* grid, int row) { emit grid->verticalHeader()->sectionClicked(row); }

// A user typing into a cell: F2 opens it, the keys replace its text, Enter
// closes it and the row selector applies the row.
void typeIntoCell(DataGrid* grid, int row, const QString& field, const QString& text)
{
    grid->setCurrentIndex(grid->model()->index(row, columnOf(grid->model(), field)));
    QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit* editor = nullptr;  // editors closed before are hidden until deleted
    for (QLineEdit* open : grid->viewport()->findChildren<QLineEdit*>()) {
        if (!open->isHidden()) editor = open;
    }
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    clickRowSelector(grid, row);
}

void sortBy(QComboBox* list, const QString& field)
{
    list->setCurrentText(field);
    emit list->activated(list->currentIndex());
}

// What a grid shows: its headings, then every row, columns left to right.
QList<QStringList> shown(const DataGrid* grid)
{
    const QAbstractItemModel* model = grid->model();
    const auto column = [grid](int c) { return grid->horizontalHeader()->logicalIndex(c); };  // as moved
    QList<QStringList> rows{{}};
    for (int c = 0; c < model->columnCount(); ++c) rows[0] << model->headerData(column(c), Qt::Horizontal).toString();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, column(c)).data().toString();
        rows << cells;
    }
    return rows;
}

}  // namespace

TEST(Grids, ShowTheirDataControlsAndViewAllRecordsResetsThemToWholeTables)
{
    TestLedger l;
    addClients(l, {"Acme", "Leeds", "Bolt", "York", "Crane", "Hull"});
    addSale(l, "Acme", "R1", 30);
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd')");
    GridTabs tabs(l);

    // The sort lists as the user sees them.
    EXPECT_EQ(textsOf({tabs.sales.Combo12, tabs.clients.Combo13}), QStringList({"ClientName", "ClientName"}));
    EXPECT_EQ(QList<int>({tabs.sales.Combo12->count(), tabs.clients.Combo13->count()}), QList<int>({8, 13}));

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
    EXPECT_TRUE(l.dialogs.shown()[1].text.startsWith("This will allow you to update / change a record directly from "
                                                     "the grid? After you make a change, click on the arrow") &&
                l.dialogs.shown()[1].text.endsWith("before you make any changes.\r\n\r\nDo you want to update / "
                                                   "change a record?"));
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
    typeIntoCell(sales, 0, "SalesRep", "Kim");
    EXPECT_EQ(stored(l, "SalesRep", "R1"), "Kim");
    // The ID is the database's and is never edited.
    EXPECT_FALSE(edit(sales, 0, "ID", "99"));

    // Taking up another row commits the edited one.
    ASSERT_TRUE(edit(sales, 0, "TotalDue", "31.5"));
    ASSERT_TRUE(edit(sales, 1, "Notes", "second"));
    EXPECT_EQ(stored(l, "TotalDue", "R1"), "31.5");
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
    EXPECT_EQ(l.dialogs.texts(), QStringList(2, texts::kRefreshFirst));
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

    // After the first and the last client are deleted together, the first row is Bolt (ID 2).
    pressDelete(clients, 0, 2);
    ASSERT_EQ(column(clients, "ClientName"), (QStringList{"Bolt"}));
    ASSERT_TRUE(edit(clients, 0, "City", "Ripon"));
    clickRowSelector(clients, 0);
    EXPECT_EQ(l.env.rows("SELECT ID, ClientName, City FROM Mervalis ORDER BY ID"), (QStringList{"2|Bolt|Ripon"}));
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

// Under an English and a German desktop, typed: a number as the region writes
// it is stored and shown so; what is no number, or no date for SellDate, is
// refused by name with nothing stored; a date moves Day, Month and Year too.
TEST(RegionalNumbersGrids, CellsTakeNumbersAsTheRegionWritesThemAndRefuseWhatIsNoNumberOrNoDate)
{
    TestLedger l;
    const QString july = shortDateText(QDate(2026, 7, 14)), january = shortDateText(QDate(2025, 1, 3));
    l.env.exec("INSERT INTO Mervalis2 (ReferenceID, SellDate, Day, Month, Year, Amount) VALUES ('R1', '" + july +
               "', 14, '7', '2026', 30)");
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    tabs.sales.Command6_Click();
    const bool comma = QLocale::system().name() == "de_DE";
    const std::tuple<QString, QString, QString, QString> cases[] = {  // field, typed, box begins, row after
        {"Amount", comma ? "31,5" : "31.5", "", "31.5|" + july + "|14|7|2026"},
        {"Amount", "12x", "The Amount field cannot hold \"12x\", which is not a number. Please type a number such as "
         + QString(comma ? "19,99 (a comma" : "19.99 (a point"), "31.5|" + july + "|14|7|2026"},
        {"SellDate", "31/02/2026", "The SellDate field cannot hold \"31/02/2026\", which is not a date.",
         "31.5|" + july + "|14|7|2026"},
        {"SellDate", january, "", "31.5|" + january + "|3|1|2025"}};
    for (const auto& [field, typed, box, after] : cases) {
        l.dialogs.clear();
        typeIntoCell(tabs.sales.DataGrid2, 0, field, typed);
        EXPECT_EQ(l.dialogs.texts().join("").left(box.size()), box) << typed.toStdString();
        EXPECT_EQ(l.env.rows("SELECT Amount, SellDate, Day, Month, Year FROM Mervalis2"), QStringList{after});
        EXPECT_EQ(column(tabs.sales.DataGrid2, "Amount"), QStringList{comma ? "31,5" : "31.5"});
    }
}

TEST(Grids, SalesSortedBySellDateComeInTheOrderOfTheirDatesWhateverTheFormat)
{
    TestLedger l;
    // Dates as the C locale, an English and a German desktop write them.
    l.env.exec("INSERT INTO Mervalis2 (ReferenceID, SellDate, Day, Month, Year) VALUES ('R1', '1 Apr 2024', 1, '4', "
               "'2024'), ('R2', '1 Aug 2025', 1, '8', '2025'), ('R3', '12/1/2024', 1, '12', '2024'), ('R4', "
               "'01.08.2024', 1, '8', '2024'), ('R5', '10 Feb 2024', 10, '2', '2024')");
    GridTabs tabs(l);
    // Held whole and sorted in memory, then read by pages and sorted by the database.
    for (int held : {DataControl::kHeldRows, 1}) {
        l.store->adodc2.setLargeResult(held, 2);
        tabs.sales.Command16_Click();
        sortBy(tabs.sales.Combo12, "SellDate");
        EXPECT_EQ(column(tabs.sales.DataGrid2, "ReferenceID"), (QStringList{"R5", "R1", "R4", "R3", "R2"})) << held;
    }
    // The sample ledger's first rows are its earliest sales.
    l.env.exec("DELETE FROM Mervalis2");
    QString error;
    ASSERT_TRUE(l.env.fillSampleLedger(setup::SampleLedger{}, &error)) << error.toStdString();
    l.store->adodc2.setLargeResult(DataControl::kHeldRows, DataControl::kPageRows);
    tabs.sales.Command16_Click();
    sortBy(tabs.sales.Combo12, "SellDate");
    EXPECT_EQ(column(tabs.sales.DataGrid2, "ID").mid(0, 3),
              l.env.rows("SELECT ID FROM Mervalis2 ORDER BY Year, LENGTH(Month), Month, Day, ID LIMIT 3"));
}

TEST(GridExport, SavesWhatEachGridShowsAsCsvThatPythonReadsBackCellForCell)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis2 (ClientName, ReferenceID, Notes, SellDate, Amount, Quantity, TotalDue) VALUES "
               "('O''Brien, Sons', 'R1', 'said \"hi\"\nthen left', '03/07/2026', 19.99, 3, 59.97),"
               "('Café Zoë', 'R2', NULL, '14/02/2025', 1234.5, 1, 1234.5),"
               "(' Spaced ', 'R3', 'a,b;c', '01/01/2024', 0.1, 10, 1)");
    l.env.exec("INSERT INTO Mervalis3 (CompanyName, Notes) VALUES ('Own Ltd', 'line one\r\ntwo')");
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    sortBy(tabs.sales.Combo12, "TotalDue");
    l.dialogs.clear();

    // The buttons are named after their grids.
    EXPECT_EQ(textsOf({tabs.sales.ExportSales, tabs.clients.ExportCompanies, tabs.clients.ExportClients}),
              QStringList({"Export Sales to CSV...", "Export Companies to CSV...", "Export Clients to CSV..."}));

    // The sales in their current sort: every row and column as shown.
    const QString path = l.env.file("sales export.csv");
    l.dialogs.answerFileName(path);
    QTest::mouseClick(tabs.sales.ExportSales, Qt::LeftButton);
    const QString documents = QDir(qEnvironmentVariable("HOME")).filePath("Documents");
    EXPECT_EQ(l.dialogs.proposedFiles,
              QStringList{QDir(documents).filePath("Mervalis sales " + QDate::currentDate().toString(Qt::ISODate) +
                                                   ".csv")});
    EXPECT_EQ(l.dialogs.take(), QStringList{"3 rows saved to " + path + "."});
    EXPECT_EQ(modeOf(path), "0600");  // the owner's alone
    const QList<QStringList> sales = csvRows(path);
    EXPECT_EQ(sales, shown(tabs.sales.DataGrid2));
    ASSERT_EQ(sales.size(), 4);
    EXPECT_EQ(sales[1][1], " Spaced ");  // TotalDue 1 sorts first
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("ID,ClientName,") && bytes.contains("\r\n1,\"O'Brien, Sons\","));
    EXPECT_TRUE(bytes.contains("Caf\xC3\xA9 Zo\xC3\xAB"));  // UTF-8

    // A cell edited but not yet applied is saved as the grid shows it.
    tabs.sales.Command6_Click();
    ASSERT_TRUE(edit(tabs.sales.DataGrid2, 0, "SalesRep", "Kim"));
    l.dialogs.answerFileName(path);
    tabs.sales.ExportSales_Click();
    EXPECT_EQ(csvRows(path), shown(tabs.sales.DataGrid2));
    EXPECT_EQ(csvRows(path)[1][shown(tabs.sales.DataGrid2)[0].indexOf("SalesRep")], "Kim");
    tabs.sales.Command9_Click();

    // The Client Grid tab's grids by their own buttons (the clients' as the companies').
    l.dialogs.clear();
    l.dialogs.answerFileName(l.env.file("companies"));  // ".csv" is added
    tabs.clients.DataGrid3->horizontalHeader()->moveSection(14, 0);  // the Notes dragged to the front
    QTest::mouseClick(tabs.clients.ExportCompanies, Qt::LeftButton);
    EXPECT_EQ(csvRows(l.env.file("companies.csv")), shown(tabs.clients.DataGrid3));
    EXPECT_EQ(csvRows(l.env.file("companies.csv")).value(1).value(0), "line one\r\ntwo");
    EXPECT_TRUE(QFileInfo(l.dialogs.proposedFiles.last()).fileName().startsWith("Mervalis companies "));
    EXPECT_EQ(l.dialogs.take(), QStringList{"1 row saved to " + l.env.file("companies.csv") + "."});
}

TEST(GridExport, ALargeSalesTableIsSavedWholePageByPageAndCancelOrAFailedWriteLeavesNoFile)
{
    TestLedger l;
    for (int i = 1; i <= 9; ++i) addSale(l, i % 2 ? "Acme" : "Bolt", QStringLiteral("R%1").arg(i), 10 - i);
    l.store->adodc2.setLargeResult(3, 2);  // more than 3 rows are read 2 at a time
    GridTabs tabs(l);
    tabs.sales.Command16_Click();
    sortBy(tabs.sales.Combo12, "TotalDue");
    ASSERT_FALSE(l.store->adodc2.rows().holdsAll());
    l.dialogs.clear();
    const QStringList before = QDir(l.env.file(QString())).entryList(QDir::Files);

    // Cancelled: no file, no message. A folder that is not there, or a name
    // taken by a folder: said why, the folder as it was, no temporary file beside it.
    tabs.sales.ExportSales_Click();
    EXPECT_TRUE(l.dialogs.texts().isEmpty());
    QDir().mkpath(l.env.file("taken.csv"));
    for (const char* name : {"gone/sales.csv", "taken.csv"}) {
        l.dialogs.answerFileName(l.env.file(name));
        tabs.sales.ExportSales_Click();
        const QString told = l.dialogs.take().value(0);
        EXPECT_TRUE(told.startsWith("The sales could not be saved to " + l.env.file(name) + ": ")) << told.toStdString();
        EXPECT_TRUE(told.endsWith("\r\n\r\nNo file was written."));
    }
    EXPECT_TRUE(QFileInfo(l.env.file("taken.csv")).isDir());
    EXPECT_EQ(QDir(l.env.file(QString())).entryList(QDir::Files), before);

    const QString path = l.env.file("sales.csv");
    l.dialogs.answerFileName(path);
    tabs.sales.ExportSales_Click();
    EXPECT_EQ(l.dialogs.take(), QStringList{"9 rows saved to " + path + "."});
    const QList<QStringList> saved = csvRows(path);
    EXPECT_EQ(saved, shown(tabs.sales.DataGrid2));
    ASSERT_EQ(saved.size(), 10);
    EXPECT_EQ(saved[1][saved[0].indexOf("ReferenceID")], "R9");

    // Pages that can no longer be read: no file with empty rows, the earlier one kept.
    l.store->adodc2.setLargeResult(3, 2);
    tabs.sales.Command3_Click();
    l.env.exec("ALTER TABLE Mervalis2 RENAME TO Gone");
    l.dialogs.clear();
    l.dialogs.answerFileName(path);
    tabs.sales.ExportSales_Click();
    EXPECT_TRUE(l.dialogs.last().contains("could not be read from the database")) << l.dialogs.last().toStdString();
    EXPECT_EQ(csvRows(path), saved);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the hourglass is gone again
}
