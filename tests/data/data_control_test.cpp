#include "data/data_control.h"
#include "data/database.h"
#include "data/record_set_model.h"
#include "data/row_block.h"
#include "data/sql.h"
#include "support/test_env.h"
#include "support/texts.h"

using namespace mervalis;
using mervalis::test::TestLedger;

namespace {

// Fields in an order of their own: values go by name, not by column.
const QStringList kCompanyFields{"Telephone2", "Notes", "CompanyName", "City"};

QStringList company(const QString& name) { return {"0113 2", "note", name, "Leeds"}; }

void addSale(TestLedger& l, const QString& ref, const QString& month, const QString& year, double total)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, Month, Year, SubTotal, TotalDue) "
                              "VALUES ('Acme', '%1', '%2', '%3', %4, %4)")
                   .arg(ref, month, year)
                   .arg(total));
}

// Every value of a record set as "a|b|c" rows, NULL shown as <null>.
template <class Rows>
QStringList rowTexts(const Rows& rows)
{
    QStringList result;
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < rows.columnCount(); ++c) {
            cells << (rows.isNull(r, c) ? QStringLiteral("<null>") : rows.value(r, c));
        }
        result << cells.join(QLatin1Char('|'));
    }
    return result;
}

// The current record's ID and reference.
QString textsOfRow(const DataControl& control)
{
    return control.field("ID") + '|' + control.field("ReferenceID");
}

}  // namespace

TEST(DataControl, OpensTablesInStoredColumnOrderWithQuotedMonthYearAndCaseInsensitiveReferences)
{
    TestLedger l;
    addSale(l, "CISCO", "7", "2026", 30);
    addSale(l, "cisco", "7", "2026", 12.5);
    addSale(l, "Other", "12", "2026", 5);
    addSale(l, "Cisco", "7", "2025", 1);
    DataControl& sales = l.store->adodc2;
    ASSERT_TRUE(sales.Refresh());
    EXPECT_EQ(sales.sql(), "SELECT * FROM Mervalis2");
    EXPECT_EQ(sales.recordCount(), 4);
    // Whole-row reads by position: the sale's total at 13, the client at 1.
    EXPECT_EQ(sales.field(13), "30");
    EXPECT_EQ(sales.field("paid"), "unpaid");
    ASSERT_TRUE(l.store->adodc1.Refresh() && l.store->adodc3.Refresh());
    EXPECT_EQ(l.store->adodc1.rows().columnNames().value(1), "ClientName");
    // Every field of the clients, sales and companies tables.
    EXPECT_EQ(QList<int>({l.store->adodc1.rows().columnCount(), sales.rows().columnCount(),
                          l.store->adodc3.rows().columnCount()}),
              QList<int>({20, 27, 15}));

    ASSERT_TRUE(sales.query("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE month = '7' and year = '2026'"));
    EXPECT_EQ(sales.field(0), "42.5");
    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2 WHERE ReferenceID = 'Cisco' "));
    EXPECT_EQ(sales.recordCount(), 3);
    // A month written with a leading zero is another text and finds nothing.
    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2 WHERE month = '07' and year = '2026'"));
    EXPECT_EQ(sales.recordCount(), 0);
    EXPECT_TRUE(sales.eof());
    EXPECT_EQ(sales.field("ClientName"), "");
    EXPECT_TRUE(l.dialogs.shown().empty());
}

TEST(DataControl, WalksAddsWithIdZeroUntilRefreshAndUpdates)
{
    TestLedger l;
    DataControl& companies = l.store->adodc3;
    ASSERT_TRUE(companies.Refresh());
    ASSERT_TRUE(companies.addNew(kCompanyFields, company("O'Brien & Sons")));
    ASSERT_TRUE(companies.addNew(kCompanyFields, company("Beta")));
    EXPECT_EQ(companies.recordCount(), 2);
    EXPECT_EQ(companies.field("ID"), "0");
    EXPECT_EQ(companies.field("CompanyName"), "Beta");
    EXPECT_EQ(companies.model()->rowCount(), 2);
    EXPECT_EQ(l.env.rows("SELECT CompanyName, City FROM Mervalis3 ORDER BY ID"),
              QStringList({"O'Brien & Sons|Leeds", "Beta|Leeds"}));

    // The row still shows ID 0: a change keyed on it is refused.
    companies.setField("City", "York");
    EXPECT_FALSE(companies.update());
    EXPECT_EQ(l.dialogs.last(), test::texts::kRefreshFirst);
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3 WHERE City = 'York'"), "0");

    ASSERT_TRUE(companies.Refresh());
    QStringList ids;
    for (companies.moveFirst(); !companies.eof(); companies.moveNext()) ids << companies.field("ID");
    EXPECT_EQ(ids, QStringList({"1", "2"}));

    ASSERT_TRUE(companies.query("SELECT * FROM Mervalis3 WHERE CompanyName = '" + sqlEscape("o'brien & sons") + "' "));
    ASSERT_EQ(companies.recordCount(), 1);
    EXPECT_EQ(companies.absolutePosition(), 1);
    companies.setField("City", "York");
    companies.setField("Notes", "It's done");
    ASSERT_TRUE(companies.update());
    EXPECT_EQ(companies.field("City"), "York");
    EXPECT_EQ(l.env.scalar("SELECT City || '/' || Notes FROM Mervalis3 WHERE ID = 1"), "York/It's done");
}

TEST(DataControl, RejectedQueryAndRejectedValueAreReportedAndChangeNothing)
{
    TestLedger l;
    addSale(l, "A", "1", "2026", 10);
    DataControl& sales = l.store->adodc2;
    ASSERT_TRUE(sales.Refresh());
    EXPECT_FALSE(sales.query("SELECT NoSuchField FROM Mervalis2"));
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("\"Mervalis\"") && l.dialogs.last().contains("NoSuchField"));
    EXPECT_EQ(sales.recordCount(), 1);  // the held rows stay

    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2"));
    EXPECT_FALSE(sales.updateRow(0, {{"Amount", "ten"}}));
    EXPECT_EQ(l.env.scalar("SELECT SubTotal FROM Mervalis2"), "10");
    EXPECT_FALSE(sales.addNew({"ClientName", "Amount"}, {"Acme", "abc"}));
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "1");
}

TEST(DataControl, FiveHundredRowsAreHeldWholeAndFromTheFiveHundredAndFirstOnReadAPageAtATime)
{
    TestLedger l;
    // Sales numbered `from` to `to`; totals repeat so that sorting needs the
    // ID between equals; one total is missing. Notes of every length class
    // (empty, NULL, short, just over a first guess of a buffer, long, and
    // longer than any bound buffer), multi-byte text, numbers of every kind.
    const auto add = [&](int from, int to) {
        l.env.exec(QString("WITH RECURSIVE n(i) AS (SELECT %1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                           "INSERT INTO Mervalis2 (ClientName, ReferenceID, Notes, TotalDue, SubTotal, Quantity, "
                           "Month, Year) SELECT 'C' || i, 'R' || i, CASE i % 7 WHEN 0 THEN NULL WHEN 1 THEN '' "
                           "WHEN 2 THEN 'short' WHEN 3 THEN %3 WHEN 4 THEN %4 WHEN 5 THEN 'Ünïcödé ' || "
                           "replace(%5, 'e', 'é') ELSE 'x' END, CASE WHEN i = 9 THEN NULL ELSE i % 5 END, i * 1.25, "
                           "-i, '7', '2026' FROM n")
                       .arg(from)
                       .arg(to)
                       .arg(l.env.repeated('n', "65 + i % 50"), l.env.repeated('m', "300 + i"),
                            l.env.repeated('e', "40")));
    };
    DataControl& sales = l.store->adodc2;
    const auto column = [&](const char* name) {
        QStringList values;
        for (int r = 0; r < sales.recordCount(); ++r) values << sales.rows().value(r, sales.rows().columnIndex(name));
        return values;
    };
    add(1, DataControl::kHeldRows);
    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2 WHERE Year = '2026'"));
    EXPECT_TRUE(sales.rows().holdsAll());
    EXPECT_EQ(sales.recordCount(), 500);
    // 1,001 rows: pages of 500, 500 and 1.
    add(DataControl::kHeldRows + 1, 1001);
    ASSERT_TRUE(sales.Refresh());
    EXPECT_FALSE(sales.rows().holdsAll());
    EXPECT_EQ(sales.recordCount(), 1001);
    EXPECT_EQ(sales.model()->rowCount(), 1001);
    l.env.exec(QString("UPDATE Mervalis2 SET Notes = %1 || 'end' WHERE ID = 600").arg(l.env.repeated('L', "40000")));
    // Read whole, each value as stored, in blocks of any size.
    const QStringList everything = l.env.rows("SELECT * FROM Mervalis2 ORDER BY ID");
    RowBlock rows;
    for (int pass = 0; pass < 2; ++pass) {  // the second time with the widths learnt
        ASSERT_TRUE(l.store->database.query("SELECT * FROM Mervalis2 ORDER BY ID", rows));
        EXPECT_EQ(rowTexts(rows), everything);
    }
    EXPECT_EQ(rows.value(599, rows.columnIndex("Notes")).size(), 40003);
    EXPECT_TRUE(rows.isNull(6, rows.columnIndex("Notes")) && !rows.isNull(0, rows.columnIndex("Notes")));
    EXPECT_EQ(rows.columnKind(rows.columnIndex("SubTotal")), RowBlock::Kind::Number);
    ASSERT_TRUE(l.store->database.query("SELECT * FROM Mervalis2 WHERE ID = 0", rows));
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.columnCount(), 27);
    ASSERT_TRUE(sales.Refresh());

    // A walk sees every row once, in the database's order, values whole.
    const QStringList stored = l.env.rows("SELECT ID, ReferenceID, COALESCE(length(Notes), 0) FROM Mervalis2 ORDER BY ID");
    QStringList walked;
    for (sales.moveFirst(); !sales.eof(); sales.moveNext()) {
        walked << QStringList{sales.field("ID"), sales.field("ReferenceID"),
                              QString::number(sales.field("Notes").size())}.join('|');
    }
    EXPECT_EQ(walked, stored);
    // Any row on demand, as a scrolled grid asks, either side of a page's end.
    const QAbstractItemModel* grid = sales.model();
    const int reference = sales.rows().columnIndex("ReferenceID");
    for (int row : {1000, 499, 500, 1}) {
        EXPECT_EQ(grid->index(row, reference).data().toString(), "R" + QString::number(row + 1));
    }

    // Sorted by the database: the missing total first, equal totals by ID.
    ASSERT_TRUE(sales.sort("TotalDue"));
    EXPECT_EQ(column("ID"), l.env.rows("SELECT ID FROM Mervalis2 ORDER BY TotalDue NULLS FIRST, ID"));
    EXPECT_EQ(sales.recordSource(), "SELECT * FROM Mervalis2 WHERE Year = '2026'");

    // A correction on a later page reaches its own record; deleting the last
    // row of the first page moves the later rows up; an added row follows with ID 0.
    ASSERT_TRUE(sales.updateRow(700, {{"City", "Leeds"}}));
    const QString changedId = sales.rows().value(700, sales.rows().columnIndex("ID"));
    EXPECT_EQ(l.env.rows("SELECT ID FROM Mervalis2 WHERE City = 'Leeds'"), QStringList{changedId});
    const QStringList ids = column("ID");
    ASSERT_TRUE(sales.deleteRow(499));
    EXPECT_EQ(column("ID"), QStringList(ids.mid(0, 499) + ids.mid(500)));
    EXPECT_EQ(sales.rows().value(699, sales.rows().columnIndex("City")), "Leeds");
    ASSERT_TRUE(sales.addNew({"ClientName", "ReferenceID", "Year"}, {"New", "NEW", "2026"}));
    EXPECT_EQ(sales.recordCount(), 1001);
    EXPECT_EQ(sales.absolutePosition(), 1001);
    EXPECT_EQ(textsOfRow(sales), "0|NEW");
    ASSERT_TRUE(sales.Refresh());
    EXPECT_EQ(sales.recordCount(), 1001);
    sales.moveTo(1000);
    EXPECT_EQ(textsOfRow(sales), l.env.scalar("SELECT ID || '|NEW' FROM Mervalis2 WHERE ReferenceID = 'NEW'"));
    // A query that orders its own rows keeps its order and its count.
    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2 order by ReferenceID"));
    EXPECT_EQ(column("ReferenceID"), l.env.rows("SELECT ReferenceID FROM Mervalis2 ORDER BY ReferenceID"));
    EXPECT_TRUE(l.dialogs.shown().empty()) << l.dialogs.texts().join('\n').toStdString();
}
