// The figures the database keeps of the sales stay what the sales give after
// every kind of write: adds, grid edits, deletes, statements typed into
// isql, a restore, and the set-up filling them for a ledger that had none.
#include "data/data_control.h"
#include "data/record_set_model.h"
#include "data/sales_table.h"
#include "data/sql.h"
#include "setup/backup.h"
#include "setup/kept_figures.h"
#include "setup/postgres_ledger.h"
#include "setup/schema.h"
#include "data/database.h"
#include "support/kept_checks.h"
#include "support/test_env.h"
#include "ui/paged_list.h"

#include <QComboBox>
#include <QProcess>
#include <QRandomGenerator>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// Names that differ only in case, missing and empty ones, "None", a quote,
// and letters only PostgreSQL folds.
const QStringList kNames{"Ann", "ann", "ANN", "Ben", "", "None", "O'Brien", "Zoë", "ZOË"};

QString someName(QRandomGenerator& random)
{
    const qsizetype at = random.bounded(static_cast<int>(kNames.size()) + 1);
    return at == kNames.size() ? QStringLiteral("NULL") : quoted(kNames[at]);
}

// `count` sales written as isql would, spread over two years.
void addSales(const TestEnvironment& env, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        QStringList values;
        for (int c = 0; c < 12; ++c) values << someName(random);
        values << quoted(QString::number(2003 + random.bounded(2))) << quoted(QString::number(1 + random.bounded(12)))
               << (random.bounded(10) == 0 ? QStringLiteral("NULL") : QString::number(1 + random.bounded(28)))
               << (random.bounded(10) == 0 ? QStringLiteral("NULL") : QString::number(random.bounded(100000) / 100.0))
               << quoted(random.bounded(3) == 0 ? QStringLiteral("PAID") : random.bounded(2) ? "unpaid" : "UNPAID");
        rows << "(" + values.join(", ") + ")";
    }
    env.exec("INSERT INTO Mervalis2 (ClientName, AssociatedCompany, ProductService, MarketingTool, SalesRep, "
             "ReferenceID, Sex, Age, Income, Ethnicity, City, Country, Year, Month, Day, SubTotal, PAID) VALUES " +
             rows.join(", "));
}

class KeptFigures : public ::testing::Test {
protected:
    void SetUp() override
    {
        addSales(l.env, 150, 7);
        l.env.exec("INSERT INTO Mervalis (ClientName, LeadGivenTo) VALUES ('c1', 'Ann'), ('c2', 'ann'), ('c3', 'Ben')");
    }
    DataControl& sales() { return l.context->adodc2; }
    TestLedger l;
};

TEST_F(KeptFigures, EveryAnalysisGivesWhatTheSalesGiveAfterAddsGridEditsAndDeletes)
{
    expectKeptFiguresRight(l.env, "isql adds");
    for (const QString& entity : {QStringLiteral("Zoë"), QStringLiteral("")}) {
        expectKeptFiguresRight(l.env, "isql adds, asking for \"" + entity + "\"", entity);
    }

    // The sale entry's add call, twice.
    ASSERT_TRUE(sales().query("SELECT * FROM Mervalis2 ORDER BY ID"));
    for (const char* client : {"Ann", "new client"}) {
        ASSERT_TRUE(sales().addNew({"ClientName", "AssociatedCompany", "Year", "Month", "SubTotal", "ReferenceID", "Sex"},
                                   {client, "ann", "2004", "5", "12.34", "R-NEW", "ANN"}));
    }
    expectKeptFiguresRight(l.env, "adds through the program");

    // Grid edits of summed and grouped columns, the first sale's among them,
    // each written as the grid writes a row.
    ASSERT_TRUE(sales().query("SELECT * FROM Mervalis2 ORDER BY ID"));
    RecordSetModel& grid = *sales().model();
    grid.setEditable(true);
    const QList<QList<std::pair<const char*, const char*>>> edits{
        {{"SubTotal", "99.99"}, {"AssociatedCompany", "ben"}, {"Sex", "Zoë"}},
        {{"Year", "2004"}, {"Month", "12"}, {"ReferenceID", "ann"}, {"Day", "1"}},
        {{"SalesRep", "None"}, {"ClientName", "ANN"}, {"PAID", "PAID"}},
        {{"ProductService", ""}, {"MarketingTool", "O'Brien"}, {"SubTotal", "0.01"}},
    };
    for (int row = 0; row < edits.size(); ++row) {
        for (const auto& [field, value] : edits[row]) {
            ASSERT_TRUE(grid.setData(grid.index(row, sales().rows().columnIndex(field)), QString::fromUtf8(value)));
        }
        ASSERT_TRUE(grid.commitEdits()) << l.dialogs.last().toStdString();
    }
    expectKeptFiguresRight(l.env, "grid edits");

    // Deletes: the first sales of their groups, and one in the middle.
    for (int row : {0, 0, 40}) ASSERT_TRUE(sales().deleteRow(row)) << l.dialogs.last().toStdString();
    expectKeptFiguresRight(l.env, "grid deletes");

    // Statements typed into isql: whole invoices paid, sales moved to
    // another year, clients' sales deleted.
    l.env.exec("UPDATE Mervalis2 SET PAID = 'PAID' WHERE ReferenceID = 'ann'");
    l.env.exec("UPDATE Mervalis2 SET Year = '2003', SubTotal = SubTotal * 2 WHERE Month IN ('3', '4')");
    l.env.exec("DELETE FROM Mervalis2 WHERE ClientName = 'ben' OR ClientName IS NULL");
    expectKeptFiguresRight(l.env, "isql updates and deletes");
    l.env.exec("DELETE FROM Mervalis2");
    expectKeptFiguresRight(l.env, "every sale deleted");
}

TEST_F(KeptFigures, TheReferenceIdListReadsItsPagesFromEitherEndInTheOrderOfTheSales)
{
    QStringList rows;
    for (int i = 0; i < 1200; ++i) rows << QStringLiteral("('%1%2')").arg(i % 3 ? "r" : "R").arg(i * 7 % 1201);
    l.env.exec("INSERT INTO Mervalis2 (ReferenceID) VALUES " + rows.join(", "));
    const bool postgres = l.env.onPostgres();
    QComboBox combo;
    PagedList list(l.context->database);
    list.show(&combo, sales_table::referenceIds(false, postgres), sales_table::referenceIds(false, postgres, true),
              l.env.scalar(sales_table::referenceIdCount(false, postgres)).toInt());
    QStringList shown;
    for (int i = combo.count() - 1; i >= 0; --i) shown.prepend(combo.itemText(i));
    EXPECT_EQ(shown, l.env.rows("SELECT (ReferenceID || '') FROM Mervalis2 WHERE (ReferenceID || '') <> '' GROUP BY "
                                "(ReferenceID || '') ORDER BY LOWER(MIN(ReferenceID || '')), MIN(ID)"));
}

TEST_F(KeptFigures, ARestoreAndTheSetUpOfALedgerThatHadNoneFillThemFromTheSales)
{
    const QString backup = l.env.file("backup");
    if (l.env.onPostgres()) {
        QProcess::execute("pg_dump", {"--format=custom", "--file=" + backup, l.env.postgresConnection()});
    } else {
        QString message;
        ASSERT_TRUE(setup::backupDatabase(l.env.databasePath(), backup, &message)) << message.toStdString();
    }
    addSales(l.env, 40, 11);
    l.env.exec("DELETE FROM Mervalis2 WHERE Month = '1'");
    if (l.env.onPostgres()) {
        ASSERT_EQ(QProcess::execute("pg_restore", {"--clean", "--if-exists", "--dbname=" + l.env.postgresConnection(),
                                                   backup}), 0);
    } else {
        QString message;
        ASSERT_TRUE(setup::restoreDatabase(backup, l.env.databasePath(), &message)) << message.toStdString();
    }
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "150");
    expectKeptFiguresRight(l.env, "a restore");
    addSales(l.env, 10, 13);
    expectKeptFiguresRight(l.env, "adds after a restore");

    // A ledger of a version that kept no figures: the set-up fills them once.
    const setup::Engine engine = l.env.onPostgres() ? setup::Engine::PostgreSQL : setup::Engine::SQLite;
    for (const QString& statement : setup::dropKeptTriggerStatements(engine)) l.env.exec(statement);
    l.env.exec("DROP TABLE MervalisFigures");
    addSales(l.env, 10, 17);
    QString error;
    if (l.env.onPostgres()) {
        Database database(QStringLiteral("Mervalis"));
        bool existed = false;
        ASSERT_TRUE(setup::createPostgresLedger(database, false, &existed, &error)) << error.toStdString();
    } else {
        ASSERT_TRUE(setup::addMissingIndexes(l.env.databasePath(), &error)) << error.toStdString();
    }
    expectKeptFiguresRight(l.env, "the set-up of an existing ledger");
    addSales(l.env, 10, 19);
    expectKeptFiguresRight(l.env, "adds after the set-up");
}

}  // namespace
