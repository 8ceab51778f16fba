#include "store/data_control.h"
#include "store/record_set_model.h"
#include "store/sql.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(sales.rows().columnCount(), 27);
    // Whole-row reads by position: the sale's total at 13, the client at 1.
    EXPECT_EQ(sales.field(13), "30");
    EXPECT_EQ(sales.field("paid"), "unpaid");
    ASSERT_TRUE(l.store->adodc1.Refresh());
    EXPECT_EQ(l.store->adodc1.rows().columnNames().value(1), "ClientName");

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
    EXPECT_EQ(l.dialogs.last(), DataControl::refreshFirstMessage());
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

TEST(DataControl, SortsInMemoryUntilTheNextQuery)
{
    TestLedger l;
    addSale(l, "b", "1", "2026", 100);
    addSale(l, "A", "1", "2026", 9.5);
    addSale(l, "c", "1", "2026", 20);
    DataControl& sales = l.store->adodc2;
    ASSERT_TRUE(sales.Refresh());
    ASSERT_TRUE(sales.sort("TotalDue"));
    QStringList totals;
    for (sales.moveFirst(); !sales.eof(); sales.moveNext()) totals << sales.field("TotalDue");
    EXPECT_EQ(totals, QStringList({"9.5", "20", "100"}));  // by value, not as text
    ASSERT_TRUE(sales.sort("ReferenceID"));
    EXPECT_EQ(sales.field("ReferenceID"), "A");
    EXPECT_EQ(sales.recordSource(), "Mervalis2");
    EXPECT_FALSE(sales.sort("NoSuchField"));
    ASSERT_TRUE(sales.Refresh());
    EXPECT_EQ(sales.field("ReferenceID"), "b");
}

TEST(DataControl, RejectedQueryAndRejectedValueAreReportedAndChangeNothing)
{
    TestLedger l;
    addSale(l, "A", "1", "2026", 10);
    DataControl& sales = l.store->adodc2;
    ASSERT_TRUE(sales.Refresh());
    EXPECT_FALSE(sales.query("SELECT NoSuchField FROM Mervalis2"));
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("\"Mervalis\""));
    EXPECT_TRUE(l.dialogs.last().contains("NoSuchField"));
    EXPECT_EQ(sales.recordCount(), 1);  // the held rows stay

    ASSERT_TRUE(sales.query("SELECT * FROM Mervalis2"));
    EXPECT_FALSE(sales.updateRow(0, {{"Amount", "ten"}}));
    EXPECT_EQ(l.env.scalar("SELECT SubTotal FROM Mervalis2"), "10");
    EXPECT_FALSE(sales.addNew({"ClientName", "Amount"}, {"Acme", "abc"}));
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "1");
}

TEST(DataControl, MissingDataSourceIsReportedNotFatal)
{
    TestLedger l(false);
    EXPECT_FALSE(l.store->adodc1.Refresh());
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("\"Mervalis\" could not be reached"));
    EXPECT_EQ(l.store->adodc1.recordCount(), 0);
    EXPECT_TRUE(l.store->adodc1.eof());
}
