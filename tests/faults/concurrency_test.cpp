// Several programs on one ledger, and programs killed while they add.
#include "data/sales_table.h"
#include "support/kept_checks.h"
#include "support/test_env.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace mervalis;
using namespace mervalis::test;

namespace {

const char* engineName(const TestEnvironment& env) { return env.onPostgres() ? "PostgreSQL" : "SQLite"; }

// A program adding sales through the program's own code (tests/helpers).
struct Adder {
    explicit Adder(int count, const QString& prefix)
    {
        process.setProgram(QStringLiteral(ADD_SALES_PROGRAM));
        process.setArguments({QString::number(count), prefix});
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
    }
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

}  // namespace

TEST(Concurrency, TwoProgramsAddingAThousandSalesEachAtOnceKeepEverySaleWithItsOwnId)
{
    TestLedger l;
    Adder a(1000, QStringLiteral("A")), b(1000, QStringLiteral("B"));
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
        Adder adder(100000, QStringLiteral("K%1").arg(round));
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
