// Whatever a user types is stored and found again exactly, and never breaks
// the SQL it is placed into.
#include "analysis/analysis_sql.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/sales_table.h"
#include "support/test_env.h"

#include <QRandomGenerator>

#include <cstdio>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// Texts built from the pieces that break hand-built SQL, wildcards, other
// scripts and plain letters, joined at random; each holds its own number so
// that no two compare equal even without regard to case. One is 4,000
// characters long.
QStringList generatedTexts(int count, quint32 seed)
{
    static const QStringList pieces{
        "'",     "''",      "\\",     "\\'",    "%",       "_",       ";",        "--",    "/*",      "*/",
        "\"",    "`",       "?",      ":name",  "$1",      "{fn}",    "&amp;",    "<b>",   " ",       "  ",
        "\t",    "NULL",    "SELECT", "' OR '1'='1", "'); DROP TABLE Mervalis2; --", "UNION SELECT * FROM Mervalis",
        "Zoë",   "Ωμέγα",   "漢字",   "العربية", "Ёжик",    "😀",      "ß",        "İ",     "a",       "Z"};
    QRandomGenerator random(seed);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        const int before = random.bounded(0, 5), after = random.bounded(0, 5);
        for (int p = 0; p < before; ++p) text += pieces[random.bounded(static_cast<int>(pieces.size()))];
        text += QStringLiteral("#%1#").arg(i);
        for (int p = 0; p < after; ++p) text += pieces[random.bounded(static_cast<int>(pieces.size()))];
        texts << text;
    }
    QString longText = QStringLiteral("#long# O'Brien \\ 100% ; DROP TABLE Mervalis; Zoë Ωμέγα 漢字 ");
    while (longText.size() < 4000) {
        const QString piece = pieces[random.bounded(static_cast<int>(pieces.size()))];
        if (!piece[0].isSurrogate()) longText += piece[0];  // a whole character, never half of one
    }
    texts << longText.left(4000);
    return texts;
}

// The column `name` of every row of a record set, or of what a data control holds.
template <class Rows>
QStringList columnValues(const Rows& rows, const QString& name)
{
    QStringList values;
    for (int r = 0; r < rows.rowCount(); ++r) values << rows.value(r, rows.columnIndex(name));
    return values;
}

QStringList columnValues(const DataControl& control, const QString& name) { return columnValues(control.rows(), name); }

}  // namespace

TEST(BadInput, GeneratedTextsAreStoredFoundInvoicedAndAnalysedExactlyWithoutOneSqlError)
{
    TestLedger l;
    const QStringList texts = generatedTexts(60, 2026);
    ASSERT_EQ(texts.last().size(), 4000);
    DataControl& clients = l.store->adodc1;
    DataControl& sales = l.store->adodc2;
    DataControl& companies = l.store->adodc3;

    for (const QString& text : texts) {
        SCOPED_TRACE(text.left(200).toStdString());
        // Add: every field of a company and a client holds the text; a sale
        // holds it in every text field a user fills (the year typed too).
        ASSERT_TRUE(companies.addNew(company_table::addFields(),
                                     QStringList(company_table::addFields().size(), text)));
        ASSERT_TRUE(clients.addNew(client_table::addFields(), QStringList(client_table::addFields().size(), text)));
        QStringList sale;
        for (const QString& field : sales_table::addFields()) {
            if (field == "Month") sale << "7";
            else if (field == "Year") sale << "2026";  // worked out from the sell date
            else if (field == "SellDate") sale << "14/07/2026";  // refused unless a date
            else if (field == "Day") sale << "14";
            else if (QStringList{"Discount", "Freight", "Amount", "Tax", "Quantity", "SubTotal", "TotalDue"}.contains(field)) sale << "2.5";
            else sale << text;
        }
        ASSERT_TRUE(sales.addNew(sales_table::addFields(), sale)) << l.dialogs.last().right(300).toStdString();

        // Retrieve: the look-ups by name and by reference ID find it, whole.
        ASSERT_TRUE(companies.query(company_table::selectByName(text)));
        EXPECT_TRUE(columnValues(companies, "CompanyName") == QStringList{text});
        EXPECT_TRUE(companies.field("Notes") == text);
        ASSERT_TRUE(clients.query(client_table::selectByName(text)));
        EXPECT_TRUE(columnValues(clients, "ClientName") == QStringList{text});
        EXPECT_TRUE(clients.field("LeadGivenTo") == text);
        ASSERT_TRUE(sales.query(sales_table::selectByReferenceId(text)));
        ASSERT_TRUE(columnValues(sales, "ReferenceID") == QStringList{text});
        for (const char* field : {"ClientName", "AssociatedCompany", "ProductService", "SalesRep", "MarketingTool",
                                  "Notes", "City", "Ethnicity"}) {
            EXPECT_TRUE(sales.field(field) == text) << field;
        }

        // Invoice: listed once among the reference IDs, marked paid.
        RowBlock rows;
        ASSERT_TRUE(sales.lookUp(sales_table::referenceIds(true), rows));
        EXPECT_EQ(columnValues(rows, "ReferenceID").count(text), 1);
        long changed = 0;
        ASSERT_TRUE(sales.execute(sales_table::markPaid(text), &changed));
        EXPECT_EQ(changed, 1);
        ASSERT_TRUE(sales.lookUp(sales_table::referenceIds(true), rows));
        EXPECT_EQ(columnValues(rows, "ReferenceID").count(text), 0);

        // Analysis: the text as entity and category, and typed as the year.
        ASSERT_TRUE(sales.lookUp(analysis_sql::monthlyFigures("2026", "SalesRep", text), rows));
        ASSERT_EQ(rows.rowCount(), 1);
        EXPECT_EQ(rows.value(0, 0), "7");
        EXPECT_EQ(rows.value(0, 2), "1");
        ASSERT_TRUE(sales.lookUp(analysis_sql::monthlyFigures(text, "SalesRep", text), rows));
        EXPECT_EQ(rows.rowCount(), 0);
        ASSERT_TRUE(sales.lookUp(analysis_sql::incomeOfYearFor("2026", "ProductService", text), rows));
        EXPECT_EQ(rows.value(0, 0).toDouble(), 2.5);
        ASSERT_TRUE(sales.query(analysis_sql::salesOfYear(text)));
        EXPECT_EQ(sales.recordCount(), 0);
        ASSERT_TRUE(sales.query(analysis_sql::clientsOfCategory("City", text)));
        EXPECT_TRUE(columnValues(sales, "ClientName") == QStringList{text});
        ASSERT_TRUE(sales.query(analysis_sql::invoicesOfRep(text)));
        EXPECT_TRUE(columnValues(sales, "ReferenceID") == QStringList{text});
        ASSERT_TRUE(clients.query(analysis_sql::leadsOf(text)));
        EXPECT_TRUE(columnValues(clients, "ClientName") == QStringList{text});
        ASSERT_TRUE(sales.query(analysis_sql::monthSalesOf(7, "2026", "MarketingTool", text)));
        EXPECT_TRUE(columnValues(sales, "Notes") == QStringList{text});
    }
    // Lists of stored values and whole-ledger figures hold every text once.
    RowBlock rows;
    for (const char* field : {"ProductService", "SalesRep", "MarketingTool", "AssociatedCompany"}) {
        ASSERT_TRUE(sales.lookUp(sales_table::distinctValues(field), rows));
        EXPECT_TRUE(columnValues(rows, field) == texts) << field;
    }
    ASSERT_TRUE(sales.lookUp(analysis_sql::categoryIncome("ClientName"), rows));
    EXPECT_EQ(rows.rowCount(), texts.size());
    ASSERT_TRUE(sales.lookUp(analysis_sql::clientsPerStoredCategory("Ethnicity"), rows));
    EXPECT_EQ(rows.rowCount(), texts.size());
    ASSERT_TRUE(sales.lookUp(analysis_sql::closingRatioFigures(), rows));
    EXPECT_EQ(rows.rowCount(), texts.size());
    std::printf("Bad input on %s: %lld generated texts (one of 4,000 characters) added, retrieved, invoiced and "
                "analysed: %lld SQL errors\n",
                l.env.onPostgres() ? "PostgreSQL" : "SQLite", static_cast<long long>(texts.size()),
                static_cast<long long>(l.dialogs.shown().size()));
    EXPECT_TRUE(l.dialogs.shown().empty()) << l.dialogs.texts().join('\n').toStdString();
}
