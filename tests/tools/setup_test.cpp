#include "data/row_block.h"
#include "setup/help_file.h"
#include "setup/install.h"
#include "setup/postgres_ledger.h"
#include "setup/schema.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <sqlite3.h>
#include <unistd.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// The anchor names Qt's rich text engine finds in a document, as the help
// window scrolls to them.
QStringList anchorsOf(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) names << it.fragment().charFormat().anchorNames();
    }
    return names;
}


}  // namespace

TEST(Setup, InstallsOnceAndNeverOverwritesWithoutForce)
{
    QTemporaryDir dir;
    setup::InstallOptions options;
    options.programFolder = dir.filePath("Mervalis");
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    const Installation installation = Installation::load(options.programFolder);
    EXPECT_EQ(installation.mode, Installation::Mode::SingleMachine);
    EXPECT_TRUE(QFile::exists(installation.databasePath()));
    EXPECT_EQ(installation.databasePath(), QDir(options.programFolder).filePath("Mervalis.db"));

    EXPECT_EQ(QString::fromUtf8(readFile(installation.helpFilePath())), setup::helpHtml());
    // The ledger's files are their owner's alone, whatever the umask (022 here).
    const QString folder = options.programFolder, database = installation.databasePath();
    EXPECT_EQ(modeOf(folder) + modeOf(database), "07000600");

    // A second run keeps the data.
    QString error;
    ASSERT_FALSE(setup::createDatabase(installation.databasePath(), false, &error));
    EXPECT_TRUE(error.contains("exists"));
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.contains("exists already"));
    // An installation of an earlier version is tightened, and told so.
    const QString bmp = installation.path("Mervalis.bmp");
    writeFile(bmp, "BM");
    for (const QString& path : {folder, database, bmp}) ::chmod(path.toUtf8().constData(), 0755);
    options.keepExisting = true;
    EXPECT_TRUE(setup::install(options, &message));
    EXPECT_TRUE(message.contains(bmp + " (0755 to 0600), " + database + " (0755 to 0600)")) << message.toStdString();
    EXPECT_EQ(modeOf(folder) + modeOf(database) + modeOf(bmp), "070006000600");
    // A ledger of an earlier version gets the indexes it lacks, its rows kept.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(installation.databasePath().toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "DROP INDEX Mervalis2_SalesRep; DROP INDEX Mervalis2_YearMonthTotal; DROP TABLE MervalisTaxDetails;"
                         "CREATE INDEX Mervalis2_YearMonth ON Mervalis2 (Year, Month);"
                         "INSERT INTO Mervalis2 (ClientName) VALUES ('Kept')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    EXPECT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(rowsIn(installation.databasePath(),
                     "SELECT (SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'Mervalis2%') || "
                     "'|' || (SELECT ClientName FROM Mervalis2) || '|' || (SELECT COUNT(*) FROM MervalisTaxDetails)"),
              QStringList{QString::number(setup::indexStatements().size()) + "|Kept|0"});
    // An empty file is no ledger: it gets the tables.
    writeFile(installation.databasePath(), {});
    EXPECT_TRUE(setup::install(options, &message));
    EXPECT_GT(QFileInfo(installation.databasePath()).size(), 0);
    EXPECT_TRUE(message.startsWith("Mervalis is installed")) << message.toStdString();
    options.keepExisting = false;
    options.replaceDatabase = true;
    EXPECT_TRUE(setup::install(options, &message));

    // Network installation: database in the shared folder, mode recorded.
    options.sharedFolder = dir.filePath("it's shared");
    options.replaceDatabase = false;
    EXPECT_FALSE(setup::install(options, &message));  // shared folder not mounted
    QDir().mkpath(options.sharedFolder);
    if (geteuid() == 0) ::chown(options.sharedFolder.toUtf8().constData(), 0, 100);  // another group than root's
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    const Installation network = Installation::load(options.programFolder);
    EXPECT_EQ(network.mode, Installation::Mode::Network);
    EXPECT_EQ(network.databasePath(), QDir(options.sharedFolder).filePath("Mervalis.db"));
    // Its database is read and written by the shared folder's group, and by no one else.
    EXPECT_EQ(modeOf(network.databasePath()), "0660");
    EXPECT_EQ(QFileInfo(network.databasePath()).groupId(), QFileInfo(options.sharedFolder).groupId());

    // With a drive script for the administrator to complete: run as shipped it
    // asks for the server and mounts nothing; the mount point it names is the
    // recorded shared folder, quoted for the shell.
    const QString script = network.driveScriptPath();
    ASSERT_TRUE(QFileInfo(script).isExecutable());
    const QString text = QString::fromUtf8(readFile(script));
    EXPECT_TRUE(text.startsWith("#!/bin/sh\n# ") && text.contains("SERVER=\"\"\n"));
    QProcess run;
    run.start("/bin/sh", {script});
    ASSERT_TRUE(run.waitForFinished(5000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(run.readAllStandardError()), "Qdrive.sh: set SERVER first\n");
    run.start("/bin/sh", {"-c", "eval \"$(grep '^MOUNT_POINT=' \"$0\")\"; printf %s \"$MOUNT_POINT\"", script});
    ASSERT_TRUE(run.waitForFinished(5000));
    EXPECT_EQ(QString::fromUtf8(run.readAllStandardOutput()), options.sharedFolder);
}

TEST(Setup, PostgresLedgerIsMadeOnceJoinedByTheNextWorkstationAndNamedByTheDataSource)
{
    // libpq's connection text becomes psqlODBC's values, encrypted unless told otherwise, a root
    // certificate going to libpq; anything else is refused, naming what.
    const std::pair<QString, setup::Settings> read[] = {
        {"host=db1  port = 5433 dbname='my ledger' user=anna password='it\\'s;x'",
         {{"Servername", "db1"}, {"Port", "5433"}, {"Database", "my ledger"}, {"Username", "anna"},
          {"Password", "it's;x"}, {"SSLmode", "require"}}},
        {"dbname=x sslmode=verify-full sslrootcert='/etc/my root.crt'",
         {{"Database", "x"}, {"SSLmode", "verify-full"}, {"pqopt", "sslrootcert='/etc/my root.crt'"}}},
        {"host=db1 user=anna", {{"error", "dbname"}}}, {"dbname=x options=-cfoo", {{"error", "\"options\""}}},
        {"dbname='x", {{"error", ""}}}, {"dbname", {{"error", ""}}}};
    setup::Settings settings;
    QString error;
    for (const auto& [text, expected] : read) {
        const bool ok = setup::postgresSettings(text, &settings, &error);
        if (expected[0].first == "error") EXPECT_TRUE(!ok && error.contains(expected[0].second)) << text.toStdString();
        else EXPECT_EQ(ok ? settings : setup::Settings{}, expected) << error.toStdString();
    }
    ASSERT_TRUE(setup::postgresSettings(read[0].first, &settings, &error));
    EXPECT_EQ(setup::postgresConnectionString(settings),
              "Driver={PostgreSQL Unicode};Servername=db1;Port=5433;Database=my ledger;Username=anna;"
              "Password={it's;x};SSLmode=require");

    TestEnvironment env;
    if (!env.onPostgres()) GTEST_SKIP() << "the rest needs the PostgreSQL server of the run on PostgreSQL";
    setup::InstallOptions options;
    options.programFolder = env.file("workstation1");
    options.postgres = env.postgresConnection() + " sslmode=verify-full";  // the test cluster's own certificate
    options.replaceDatabase = true;
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(Installation::load(options.programFolder).ledger, Installation::Ledger::PostgreSQL);
    EXPECT_TRUE(QFile::exists(Installation::load(options.programFolder).helpFilePath()));
    EXPECT_FALSE(QFile::exists(Installation::load(options.programFolder).databasePath()));
    // The data source names the server and the database, and no file.
    const QString odbcIni = QString::fromUtf8(readFile(env.odbcFile("odbc.ini")));
    EXPECT_TRUE(odbcIni.contains("Driver=PostgreSQL Unicode")) << odbcIni.toStdString();
    EXPECT_TRUE(odbcIni.contains("Database=" + env.postgresConnection().section("dbname=", -1)));
    EXPECT_FALSE(odbcIni.contains(env.databasePath()));
    EXPECT_TRUE(odbcIni.contains("Mervalis=PostgreSQL Unicode") && odbcIni.contains("SSLmode=verify-full"));

    // The program's own connection through the data source is encrypted.
    ScriptedDialogs dialogs;
    env.exec("INSERT INTO Mervalis2 (ClientName) VALUES ('Kept')");
    {
        Store store(dialogs);
        RowBlock ssl;
        ASSERT_TRUE(store.database.query("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()", ssl));
        EXPECT_EQ(ssl.value(0, 0), "1");
    }

    // The next workstation joins the ledger as it is; a sample ledger would mix two.
    options.programFolder = env.file("workstation2");
    options.replaceDatabase = false;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_TRUE(message.contains("left as it is")) << message.toStdString();
    env.exec("DROP INDEX Mervalis2_SalesRep");
    env.exec("DROP TABLE MervalisTaxDetails");
    options.sampleData = true;
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.contains("holds a ledger already")) << message.toStdString();
    EXPECT_EQ(env.scalar("SELECT ClientName FROM Mervalis2"), "Kept");
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM pg_indexes WHERE indexname = 'mervalis2_salesrep'"), "1");
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM MervalisTaxDetails"), "0");

    // Backup and restore of a file do not apply; pg_dump is named.
    EXPECT_FALSE(setup::backupInstallation(options.programFolder, env.file("copy.db"), &message));
    EXPECT_TRUE(message.contains("pg_dump")) << message.toStdString();
    EXPECT_FALSE(QFile::exists(env.file("copy.db")));

    // A server that is not there, or a text that cannot be read: a clear
    // message, and the data source is left as it was.
    options.sampleData = false;
    options.postgres = "host=127.0.0.1 port=1 dbname=none connect_timeout=2";
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.contains("connect_timeout")) << message.toStdString();
    options.postgres = "host=127.0.0.1 port=1 dbname=none";
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.startsWith("The PostgreSQL database could not be reached")) << message.toStdString();
    EXPECT_EQ(QString::fromUtf8(readFile(env.odbcFile("odbc.ini"))), odbcIni);
    // --force makes the tables anew.
    options.postgres = env.postgresConnection();
    options.replaceDatabase = true;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2"), "0");
}

TEST(HelpFile, HasEverySectionTheHelpButtonsOpenAndAFailedWriteIsTold)
{
    test::ensureApplication();
    const QString html = setup::helpHtml();
    const QStringList found = anchorsOf(html);
    for (const char* anchor :
         {"use", "company", "client", "sales", "invoice", "modifyinvoice", "salesgrid", "clientgrid", "analyse"}) {
        EXPECT_TRUE(found.contains(QLatin1String(anchor))) << anchor;
    }
    // Written whole by the installation (Setup test); a folder that is not there is told.
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(setup::writeHelpFile(QDir(dir.path()).filePath(QStringLiteral("missing/Mervalis.html")), &error));
    EXPECT_TRUE(error.contains(QLatin1String("could not be written")));
}
