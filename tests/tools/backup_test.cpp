#include "setup/backup.h"
#include "setup/install.h"
#include "setup/sample_data.h"
#include "data/data_control.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QProcess>
#include <QThread>
#include <sqlite3.h>

#include <csignal>
#include <unistd.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// Another program adding sales to the ledger until stopped, fifty with long
// notes in each transaction, so that every commit rewrites many pages: the
// sqlite3 shell fed an INSERT every 20 milliseconds (flat out, it would
// starve every reader, as no program that people type into does).
class SaleWriter {
public:
    explicit SaleWriter(const QString& database)
    {
        process_.setChildProcessModifier([] { setsid(); });
        process_.start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do echo \"$1\"; sleep 0.02; done | "
                                                              "sqlite3 -cmd '.timeout 30000' \"$2\""),
                        QStringLiteral("writer"),
                        QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, TotalDue, Notes) "
                                       "SELECT 'Writer', 'W', 1, hex(randomblob(200)) FROM (WITH RECURSIVE "
                                       "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                                       "SELECT i FROM n);"),
                        database});
        process_.waitForStarted();
    }
    ~SaleWriter() { stop(); }
    bool running() const { return process_.state() == QProcess::Running; }
    void stop()
    {
        if (!running()) return;
        ::kill(-static_cast<pid_t>(process_.processId()), SIGTERM);
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
};

long long number(const QString& database, const QString& sql) { return rowsIn(database, sql).value(0).toLongLong(); }

QStringList references(const QString& database)
{
    return rowsIn(database, QStringLiteral("SELECT ReferenceID FROM Mervalis2 ORDER BY ID"));
}

void addSale(const TestEnvironment& env, const QString& reference)
{
    env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, TotalDue) VALUES ('Acme', '%1', 5)")
                 .arg(reference));
}

// The files beside the database that a restore kept.
QStringList keptFiles(const TestEnvironment& env)
{
    return QDir(QFileInfo(env.databasePath()).absolutePath())
        .entryList({QStringLiteral("Mervalis-replaced-*")}, QDir::Files);
}

// Backup and restore copy a SQLite file; a ledger on PostgreSQL is backed up
// with pg_dump (the set-up program says so: see the PostgreSQL set-up test).
constexpr const char* kSQLiteOnly = "backup and restore are a SQLite ledger's";

}  // namespace

TEST(Backup, HoldsEverySaleCommittedBeforeItStartedWhileAnotherProgramKeepsAdding)
{
    if (TestEnvironment::postgresRun()) GTEST_SKIP() << kSQLiteOnly;
    TestEnvironment env;
    QString error;
    // A ledger large enough that copying it takes longer than the writer
    // waits between two sales: a copy that ignored the writer would mix them.
    setup::SampleLedger size;
    size.sales = 100000;
    ASSERT_TRUE(setup::fillSampleLedger(env.databasePath(), size, &error)) << error.toStdString();
    const QString database = env.databasePath();
    SaleWriter writer(database);
    const auto written = [&] {
        return number(database, QStringLiteral("SELECT COUNT(*) FROM Mervalis2 WHERE ClientName = 'Writer'"));
    };
    for (int wait = 0; wait < 200 && written() < 200; ++wait) QThread::msleep(25);
    ASSERT_GE(written(), 200) << "the writer does not write";

    for (int round = 0; round < 10; ++round) {
        const QStringList before =
            rowsIn(database, QStringLiteral("SELECT COUNT(*) || '|' || MAX(ID) FROM Mervalis2")).value(0).split('|');
        const QString copy = env.file(QStringLiteral("backup %1.db").arg(round));
        QString message;
        ASSERT_TRUE(setup::backupDatabase(database, copy, &message)) << message.toStdString();
        EXPECT_TRUE(message.contains(" sales, 50 clients and 3 companies")) << message.toStdString();
        EXPECT_EQ(rowsIn(copy, QStringLiteral("PRAGMA integrity_check")), QStringList{"ok"});
        EXPECT_EQ(number(copy, QStringLiteral("SELECT COUNT(*) FROM Mervalis2 WHERE ID <= %1").arg(before[1])),
                  before[0].toLongLong());
        EXPECT_EQ(setup::ledgerProblem(copy), QString());
    }
    // The writer went on through every backup, waiting for none of them to fail.
    const long long last = number(env.file("backup 9.db"), QStringLiteral("SELECT MAX(ID) FROM Mervalis2"));
    for (int wait = 0; wait < 200 && number(database, "SELECT MAX(ID) FROM Mervalis2") <= last; ++wait) {
        QThread::msleep(25);
    }
    EXPECT_GT(number(database, "SELECT MAX(ID) FROM Mervalis2"), last);
    EXPECT_TRUE(writer.running());
    writer.stop();

    // Never over the database itself; a backup left no temporary files behind.
    QString message;
    EXPECT_FALSE(setup::backupDatabase(database, database, &message));
    EXPECT_TRUE(message.contains("is the database itself"));
    EXPECT_EQ(QDir(env.file(QString())).entryList({"backup*"}, QDir::Files).size(), 10);
}

TEST(Restore, ReplacesTheLedgerInOneStepKeepsTheReplacedRecordsAndRefusesForeignFilesAndWriters)
{
    if (TestEnvironment::postgresRun()) GTEST_SKIP() << kSQLiteOnly;
    TestLedger l;
    addSale(l.env, "Before1");
    addSale(l.env, "Before2");
    l.env.exec("INSERT INTO MervalisTaxDetails (Kind, Name, CountryCode) VALUES ('client', 'Backed', 'DE')");
    const QString backup = l.env.file("backup.db");
    QString message;
    ASSERT_TRUE(setup::backupDatabase(l.env.databasePath(), backup, &message)) << message.toStdString();
    l.env.exec("DELETE FROM Mervalis2");  // the ledger replaced will hold a single record
    l.env.exec("UPDATE MervalisTaxDetails SET Name = 'Later'");

    // Files that are not a Mervalis ledger change nothing.
    writeFile(l.env.file("notes.db"), "not a database at all");
    rowsIn(l.env.file("other.db"), "CREATE TABLE Mervalis (ID INTEGER PRIMARY KEY, ClientName TEXT)");
    ASSERT_TRUE(QFile::copy(backup, l.env.file("extra.db")));
    rowsIn(l.env.file("extra.db"), "ALTER TABLE Mervalis2 ADD COLUMN Extra TEXT");
    const std::vector<std::pair<QString, QString>> foreign{
        {l.env.file("missing.db"), "there is no file"},
        {l.env.file("extra.db"), "its table Mervalis2 has columns a Mervalis ledger does not have: Extra"},
        {l.env.file("notes.db"), "it is not an SQLite database"},
        {l.env.file("other.db"), "its table Mervalis lacks the columns ContactFirstName"},
        {l.env.databasePath(), "is the database itself"}};
    for (const auto& [file, reason] : foreign) {
        EXPECT_FALSE(setup::restoreDatabase(file, l.env.databasePath(), &message));
        EXPECT_TRUE(message.contains(reason)) << message.toStdString();
        EXPECT_TRUE(message.endsWith("was not changed.")) << message.toStdString();
    }

    // A program in the middle of writing: refused, nothing kept, its sale stays.
    sqlite3* writer = nullptr;
    sqlite3_open(l.env.databasePath().toUtf8().constData(), &writer);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE; INSERT INTO Mervalis2 (ReferenceID) VALUES ('Writing')", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    EXPECT_FALSE(setup::restoreDatabase(backup, l.env.databasePath(), &message));
    EXPECT_TRUE(message.contains("is locked by a program that is writing to it")) << message.toStdString();
    ASSERT_EQ(sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(writer);
    EXPECT_EQ(references(l.env.databasePath()), QStringList{"Writing"});
    EXPECT_TRUE(keptFiles(l.env).isEmpty());

    // The program has the ledger open while it is restored.
    ASSERT_TRUE(l.store->adodc2.Refresh());
    ASSERT_EQ(l.store->adodc2.recordCount(), 1);
    QString kept;
    ASSERT_TRUE(setup::restoreDatabase(backup, l.env.databasePath(), &message, &kept)) << message.toStdString();
    EXPECT_EQ(references(l.env.databasePath()), (QStringList{"Before1", "Before2"}));
    EXPECT_EQ(keptFiles(l.env), QStringList{QFileInfo(kept).fileName()});
    EXPECT_EQ(references(kept), QStringList{"Writing"});
    EXPECT_EQ(setup::ledgerProblem(kept), QString());
    // The tax details too, where the backup has them.
    EXPECT_EQ(rowsIn(l.env.databasePath(), "SELECT Name FROM MervalisTaxDetails") +
                  rowsIn(kept, "SELECT Name FROM MervalisTaxDetails"),
              QStringList({"Backed", "Later"}));
    EXPECT_EQ(modeOf(backup) + modeOf(kept), "06000600");  // their owner's alone
    EXPECT_TRUE(message.contains("now holds the 2 sales, 0 clients and 0 companies of")) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("are kept in %1.").arg(kept))) << message.toStdString();
    ASSERT_TRUE(l.store->adodc2.Refresh());
    EXPECT_EQ(l.store->adodc2.recordCount(), 2);
    EXPECT_EQ(l.store->adodc2.field("ReferenceID"), "Before1");

    // The numbering goes on from the backup's, as if nothing had come after.
    addSale(l.env, "Next");
    EXPECT_EQ(l.env.scalar("SELECT ID FROM Mervalis2 WHERE ReferenceID = 'Next'"), "3");
}

TEST(Restore, IntoAFreshProgramFolderMakesTheInstallationAndTheProgramShowsTheSales)
{
    if (TestEnvironment::postgresRun()) GTEST_SKIP() << kSQLiteOnly;
    TestEnvironment source;
    QString error;
    ASSERT_TRUE(setup::fillSampleLedger(source.databasePath(), setup::SampleLedger{}, &error));
    QTemporaryDir keep;
    const QString backup = QDir(keep.path()).filePath("ledger backup.db");
    ASSERT_TRUE(setup::backupInstallation(source.programFolder(), backup, &error)) << error.toStdString();

    // A new user's machine: an empty folder and the data source pointing into it.
    TestLedger l;
    ASSERT_TRUE(QFile::remove(l.env.databasePath()));
    setup::InstallOptions options;
    options.programFolder = l.env.programFolder();
    QString message;
    ASSERT_TRUE(setup::restoreInstallation(options, backup, &message)) << message.toStdString();
    EXPECT_TRUE(QFileInfo::exists(l.env.installation().recordPath()));
    EXPECT_TRUE(QFileInfo::exists(l.env.installation().helpFilePath()));
    EXPECT_TRUE(keptFiles(l.env).isEmpty());  // an empty ledger is not worth keeping
    EXPECT_FALSE(message.contains("kept")) << message.toStdString();
    ASSERT_TRUE(l.store->adodc2.Refresh());
    EXPECT_EQ(l.store->adodc2.recordCount(), 2000);
    ASSERT_TRUE(l.store->adodc1.Refresh());
    EXPECT_EQ(l.store->adodc1.recordCount(), 50);

    // An installation whose database file is empty gets it made into a ledger first.
    writeFile(l.env.databasePath(), QByteArray());
    ASSERT_TRUE(setup::restoreInstallation(options, backup, &message)) << message.toStdString();
    EXPECT_EQ(number(l.env.databasePath(), "SELECT COUNT(*) FROM Mervalis2"), 2000);

    // A file that is not a ledger makes no installation at all.
    QTemporaryDir empty;
    options.programFolder = QDir(empty.path()).filePath("Mervalis");
    EXPECT_FALSE(setup::restoreInstallation(options, QDir(keep.path()).filePath("nothing.db"), &message));
    EXPECT_FALSE(QFileInfo::exists(options.programFolder));
}
