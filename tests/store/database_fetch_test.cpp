#include "store/data_control.h"
#include "store/database.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::TestLedger;

namespace {

// Every value of a record set as "a|b|c" rows, NULL shown as <null>.
QStringList texts(const RecordSet& rows)
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

}  // namespace

TEST(DatabaseFetch, ReadsEveryValueWholeWhateverItsLengthAcrossManyBlocks)
{
    TestLedger l;
    // 700 sales: several fetch blocks. Notes of every length class: empty,
    // NULL, short, just over a first guess of a buffer, long, and longer than
    // any bound buffer; multi-byte text; numbers of every kind.
    l.env.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 700) "
               "INSERT INTO Mervalis2 (ClientName, ReferenceID, Notes, SubTotal, Quantity, Month, Year) "
               "SELECT 'Client ' || i, 'REF' || i, "
               "CASE i % 7 WHEN 0 THEN NULL WHEN 1 THEN '' WHEN 2 THEN 'short' "
               "WHEN 3 THEN printf('%.*c', 65 + i, 'n') WHEN 4 THEN printf('%.*c', 300 + i, 'm') "
               "WHEN 5 THEN 'Ünïcödé ' || replace(printf('%.*c', 40, 'e'), 'e', 'é') ELSE 'x' END, "
               "i * 1.25, -i, CAST(1 + i % 12 AS TEXT), '2026' FROM n");
    l.env.exec("UPDATE Mervalis2 SET Notes = printf('%.*c', 40000, 'L') || 'end' WHERE ID = 600");

    const QStringList expected = l.env.rows("SELECT * FROM Mervalis2 ORDER BY ID");
    RecordSet rows;
    ASSERT_TRUE(l.store->database.query("SELECT * FROM Mervalis2 ORDER BY ID", rows))
        << l.store->database.lastError().toStdString();
    ASSERT_EQ(rows.rowCount(), 700);
    EXPECT_EQ(texts(rows), expected);
    EXPECT_EQ(rows.value(599, rows.columnIndex("Notes")).size(), 40003);
    EXPECT_TRUE(rows.isNull(6, rows.columnIndex("Notes")));
    EXPECT_FALSE(rows.isNull(0, rows.columnIndex("Notes")));
    EXPECT_EQ(rows.columnKind(rows.columnIndex("SubTotal")), RecordSet::Kind::Number);

    // The same columns again (now with the widths learnt), a narrower query
    // and an empty one.
    ASSERT_TRUE(l.store->database.query("SELECT * FROM Mervalis2 ORDER BY ID", rows));
    EXPECT_EQ(texts(rows), expected);
    ASSERT_TRUE(l.store->database.query("SELECT Notes FROM Mervalis2 WHERE ID IN (4, 5, 600) ORDER BY ID", rows));
    EXPECT_EQ(texts(rows), l.env.rows("SELECT Notes FROM Mervalis2 WHERE ID IN (4, 5, 600) ORDER BY ID"));
    ASSERT_TRUE(l.store->database.query("SELECT * FROM Mervalis2 WHERE ID = 0", rows));
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.columnCount(), 27);

    // Through the data control: walk, sort by number, change a long row.
    DataControl& sales = l.store->adodc2;
    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2"));
    ASSERT_EQ(sales.recordCount(), 700);
    ASSERT_TRUE(sales.sort("SubTotal"));
    EXPECT_EQ(sales.field("SubTotal"), "1.25");
    sales.moveTo(699);
    EXPECT_EQ(sales.field("SubTotal"), "875");
    sales.moveTo(599);
    ASSERT_EQ(sales.field("ID"), "600");
    EXPECT_TRUE(sales.field("Notes").endsWith("end"));
    ASSERT_TRUE(sales.updateRow(599, {{"City", "Leeds"}}));
    EXPECT_EQ(sales.field("Notes").size(), 40003);
    EXPECT_EQ(sales.field("City"), "Leeds");
    EXPECT_TRUE(l.dialogs.shown().empty());
}
