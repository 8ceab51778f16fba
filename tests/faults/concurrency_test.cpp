// Several programs on one ledger, and programs killed while they add.
#include "binding/module1.h"
#include "data/client_table.h"
#include "data/sales_table.h"
#include "entry/client_tab.h"
#include "grids/client_grid_tab.h"
#include "grids/data_grid.h"
#include "grids/sales_grid_tab.h"
#include "support/kept_checks.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <sqlite3.h>

#include <cstdio>

using namespace mervalis;
using namespace mervalis::test;

namespace {

const char* engineName(const TestEnvironment& env) { return env.onPostgres() ? "PostgreSQL" : "SQLite"; }

// Another program on the ledger, working through the program's own code
// (tests/helpers): adding sales, or writing rows as a grid does.
struct Program {
    Program(const char* path, const QStringList& arguments)
    {
        process.setProgram(QLatin1String(path));
        process.setArguments(arguments);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
    }
    Program(int count, const QString& prefix) : Program(ADD_SALES_PROGRAM, {QString::number(count), prefix}) {}
    // Lines printed so far, with the given start ("confirmed ", "told ").
    QStringList lines(const char* start)
    {
        output += QString::fromUtf8(process.readAllStandardOutput());
        QStringList found;
        for (const QString& line : output.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String(start))) found << line.mid(qstrlen(start));
        }
        return found;
    }
    QProcess process;
    QString output;
};

QSet<QString> asSet(const QStringList& list) { return QSet<QString>(list.cbegin(), list.cend()); }

QString toldRefused(bool deleted)
{
    return QStringLiteral("This record was %1 by someone else after it was shown here. Nothing was stored.\r\n\r\n"
                          "Refresh View shows the record as it now stands.")
        .arg(deleted ? "deleted" : "changed");
}

}  // namespace

TEST(Concurrency, TwoProgramsAddingAThousandSalesEachAtOnceKeepEverySaleWithItsOwnId)
{
    TestLedger l;
    Program a(1000, QStringLiteral("A")), b(1000, QStringLiteral("B"));
    ASSERT_TRUE(a.process.waitForStarted() && b.process.waitForStarted());
    ASSERT_TRUE(a.process.waitForFinished(600000) && b.process.waitForFinished(600000));
    EXPECT_EQ(a.process.exitCode(), 0);
    EXPECT_EQ(b.process.exitCode(), 0);
    const QSet<QString> confirmed = asSet(a.lines("confirmed ") + b.lines("confirmed "));
    const QStringList told = a.lines("told ") + b.lines("told ");
    const QSet<QString> present = asSet(l.env.rows("SELECT ReferenceID FROM Mervalis2"));
    const int rows = l.env.scalar("SELECT COUNT(*) FROM Mervalis2").toInt();
    const int ids = l.env.scalar("SELECT COUNT(DISTINCT ID) FROM Mervalis2").toInt();
    std::printf("Concurrency on %s: %d of 2000 sales present with %d distinct IDs; %lld confirmed, %lld told "
                "to the user\n",
                engineName(l.env), rows, ids, static_cast<long long>(confirmed.size()),
                static_cast<long long>(told.size()));
    // Every add was either confirmed and stored, or told and not stored.
    EXPECT_EQ(present, confirmed);
    EXPECT_EQ(rows, ids);
    EXPECT_EQ(confirmed.size() + told.size(), 2000) << told.join('\n').toStdString();
    // PostgreSQL takes every one of them.
    if (l.env.onPostgres()) {
        EXPECT_EQ(rows, 2000);
        EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
    }
    expectKeptFiguresRight(l.env, "two programs adding at once");
}

TEST(Concurrency, ALockedSQLiteLedgerMakesTheAddWaitThenTellsTheUserAndStoresNothing)
{
    TestLedger l;
    if (l.env.onPostgres()) GTEST_SKIP() << "PostgreSQL does not lock the ledger for a writer";
    ASSERT_TRUE(l.store->database.connect());  // the program is running
    // Another workstation writing: it holds the file's write lock.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(l.env.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(other, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const QStringList fields{"ClientName", "ReferenceID", "SubTotal"};

    // Held for longer than the busy timeout: the add gives up and says why.
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(l.store->adodc2.addNew(fields, {"Acme", "R1", "5"}));
    EXPECT_GE(waited.elapsed(), Database::kBusyTimeoutMilliseconds - 500);
    // ... but not for ever: the driver's own default is 100 s.
    EXPECT_LT(waited.elapsed(), 4 * Database::kBusyTimeoutMilliseconds);
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("could not add the record")) << l.dialogs.last().toStdString();
    EXPECT_TRUE(l.dialogs.last().contains("Another program is writing to the ledger")) << l.dialogs.last().toStdString();
    EXPECT_EQ(l.store->adodc2.recordCount(), 0);

    // Let go while the add waits: it goes through.
    l.dialogs.clear();
    QThread* release = QThread::create([other] {
        QThread::msleep(1500);
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    release->start();
    EXPECT_TRUE(l.store->adodc2.addNew(fields, {"Acme", "R2", "5"}));
    release->wait();
    delete release;
    EXPECT_TRUE(l.dialogs.shown().empty()) << l.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(l.env.rows("SELECT ReferenceID FROM Mervalis2"), QStringList{"R2"});
}

TEST(CrashSafety, EverySaleConfirmedBeforeAKillIsInTheLedgerAndTheLedgerStaysWhole)
{
    TestLedger l;
    // Killed at moments spread over the adding, five times over.
    QRandomGenerator random(14);
    QSet<QString> confirmed;
    int killed = 0;
    for (int round = 0; round < 5; ++round) {
        Program adder(100000, QStringLiteral("K%1").arg(round));
        ASSERT_TRUE(adder.process.waitForStarted());
        // Until some sales are confirmed, then a little more.
        QElapsedTimer clock;
        clock.start();
        while (adder.lines("confirmed ").size() < 5 && clock.elapsed() < 60000) adder.process.waitForReadyRead(100);
        QThread::msleep(random.bounded(20, 400));
        adder.process.kill();  // SIGKILL: no clean-up of any kind
        ASSERT_TRUE(adder.process.waitForFinished(10000));
        ++killed;
        EXPECT_TRUE(adder.lines("told ").isEmpty()) << adder.lines("told ").join('\n').toStdString();
        for (const QString& reference : adder.lines("confirmed ")) confirmed << reference;
    }
    const QSet<QString> present = asSet(l.env.rows("SELECT ReferenceID FROM Mervalis2"));
    const QSet<QString> kept = confirmed & present;
    std::printf("Crash safety on %s: %d kills; %lld sales confirmed, %lld of them present (%lld missing); %lld more "
                "stored by the add under way at a kill\n",
                engineName(l.env), killed, static_cast<long long>(confirmed.size()),
                static_cast<long long>(kept.size()), static_cast<long long>((confirmed - present).size()),
                static_cast<long long>((present - confirmed).size()));
    EXPECT_GT(confirmed.size(), 25);
    EXPECT_TRUE((confirmed - present).isEmpty());
    // At most the add under way at each kill was stored without being confirmed.
    EXPECT_LE((present - confirmed).size(), killed);
    if (!l.env.onPostgres()) {
        EXPECT_EQ(rowsIn(l.env.databasePath(), "PRAGMA integrity_check"), QStringList{"ok"});
    }
    // The program goes on with the ledger.
    ASSERT_TRUE(l.store->adodc2.addNew({"ClientName", "ReferenceID"}, {"Acme", "after"}));
    EXPECT_TRUE(l.dialogs.shown().empty()) << l.dialogs.texts().join('\n').toStdString();
}

TEST(OptimisticWrites, AWriteOverAnotherProgramsChangeOrDeleteIsToldStoresNothingAndKeepsWhatWasTyped)
{
    // Every way the program writes a stored row, after another program
    // changed the same field or deleted the row since it was shown.
    enum Path { ClientBoxes, ClientGrid, SalesGrid, SalesGridDelete };
    TestLedger l;
    for (const Path path : {ClientBoxes, ClientGrid, SalesGrid, SalesGridDelete}) {
        for (const bool deleted : {false, true}) {
            SCOPED_TRACE(testing::Message() << "path " << path << (deleted ? ", deleted" : ", changed"));
            l.env.exec("DELETE FROM Mervalis; DELETE FROM Mervalis2;"
                       "INSERT INTO Mervalis (ClientName, Telephone) VALUES ('Mary', '111');"
                       "INSERT INTO Mervalis2 (ClientName, ReferenceID, Notes) VALUES ('Mary', 'R1', '111')");
            const QString table = path >= SalesGrid ? "Mervalis2" : "Mervalis";
            const QString field = path >= SalesGrid ? "Notes" : "Telephone";
            const QString id = l.env.scalar("SELECT ID FROM " + table);
            QLabel label4, label37;
            SalesGridTab sales(*l.context, FootLine{&label4, &label37});
            ClientGridTab clients(*l.context, sales);
            ClientTab client(*l.context);
            DataGrid* grid = path >= SalesGrid ? sales.DataGrid2 : clients.DataGrid1;
            ASSERT_TRUE(l.store->adodc1.query(client_table::selectByName("Mary")) && l.store->adodc2.Refresh());
            BindClientFields(client.boxes(), l.store->adodc1);
            sales.Command6_Click();
            sales.Command8_Click();
            l.dialogs.clear();

            // The other program, after this one has shown the row.
            Program other(WRITE_ROWS_PROGRAM, {table, deleted ? "-" : field, "222", "1", id});
            ASSERT_TRUE(other.process.waitForFinished(60000));
            ASSERT_EQ(other.lines("stored "), QStringList{deleted ? id : id + " 111 222"});

            // This one writes: typed and applied, or deleted.
            const QModelIndex cell = grid->model()->index(0, columnOf(grid->model(), field));
            if (path == ClientBoxes) {
                client.Text53->selectAll();
                QTest::keyClicks(client.Text53, "333");
                QTest::mouseClick(client.Command24, Qt::LeftButton);  // Clear Screen writes first
            } else if (path == SalesGridDelete) {
                grid->selectRow(0);
                QTest::keyClick(grid, Qt::Key_Delete);
            } else {
                grid->setCurrentIndex(cell);
                grid->edit(cell);
                auto* editor = grid->viewport()->findChild<QLineEdit*>();
                ASSERT_NE(editor, nullptr);
                editor->selectAll();
                QTest::keyClicks(editor, "333");
                emit grid->verticalHeader()->sectionClicked(0);
            }
            EXPECT_EQ(l.dialogs.take(), QStringList{toldRefused(deleted)});
            EXPECT_EQ(l.env.rows("SELECT " + field + " FROM " + table), deleted ? QStringList() : QStringList{"222"});
            // What was typed stays where it was typed; a refused delete keeps the row.
            const QString typed = path == SalesGridDelete ? "111" : "333";
            EXPECT_EQ(path == ClientBoxes ? client.Text53->text() : cell.data().toString(), typed);

            // Refresh View shows the row as it now stands.
            sales.Command3_Click();
            EXPECT_EQ(l.dialogs.take(), QStringList{"View refreshed!"});
            if (path == ClientBoxes) EXPECT_EQ(client.Text53->text(), deleted ? "" : "222");
            else if (deleted) EXPECT_EQ(grid->model()->rowCount(), 0);
            else EXPECT_EQ(grid->model()->index(0, cell.column()).data().toString(), "222");
        }
    }
}

TEST(OptimisticWrites, TwoProgramsWritingTheSameTenRowsTwoHundredTimesEachLoseNoWrite)
{
    TestLedger l;
    for (int id = 1; id <= 10; ++id) {
        l.env.exec(QStringLiteral("INSERT INTO Mervalis (ClientName, Telephone) VALUES ('C%1', 'start-%1')").arg(id));
    }
    Program a(WRITE_ROWS_PROGRAM, {"Mervalis", "Telephone", "A", "200"});
    Program b(WRITE_ROWS_PROGRAM, {"Mervalis", "Telephone", "B", "200"});
    ASSERT_TRUE(a.process.waitForFinished(600000) && b.process.waitForFinished(600000));
    // Each stored write read the value it replaced: per row they form one
    // chain from the first value to the last. A write missing from it was lost.
    QMap<QString, QString> next;  // "ID old value" -> new value
    const QStringList stored = a.lines("stored ") + b.lines("stored ");
    for (const QString& line : stored) next[line.section(' ', 0, 1)] = line.section(' ', 2);
    int lost = static_cast<int>(stored.size() - next.size()), ends = 0;
    for (const QString& row : l.env.rows("SELECT ID, Telephone FROM Mervalis")) {
        const QString id = row.section('|', 0, 0);
        QString value = "start-" + id;
        while (next.contains(id + ' ' + value)) value = next.take(id + ' ' + value);
        ends += value == row.section('|', 1);
    }
    lost += static_cast<int>(next.size());
    const QStringList refused = a.lines("refused ") + b.lines("refused ");
    const QStringList told = (a.lines("told ") + b.lines("told ")).filter(toldRefused(false).section('\r', 0, 0));
    std::printf("Optimistic writes on %s: 400 writes by two programs to the same 10 rows; %d stored, %lld refused "
                "and %lld told; %d lost; %d of 10 rows hold their last stored write\n",
                engineName(l.env), static_cast<int>(stored.size()), static_cast<long long>(refused.size()),
                static_cast<long long>(told.size()), lost, ends);
    EXPECT_EQ(stored.size() + refused.size(), 400);
    EXPECT_EQ(told.size(), refused.size());
    EXPECT_GT(refused.size(), 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(ends, 10);
}
