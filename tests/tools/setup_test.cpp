#include "data/row_block.h"
#include "setup/help_file.h"
#include "setup/install.h"
#include "setup/postgres_ledger.h"
#include "setup/schema.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <sqlite3.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

// The first value a query gives on a database file.
QString scalarOf(const QString& database, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    QString value;
    if (sqlite3_open(database.toUtf8().constData(), &db) == SQLITE_OK &&
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

}  // namespace

TEST(Schema, TablesHoldEveryFieldInTheOrderThatPositionalReadsNeed)
{
    TestEnvironment env;
    // PostgreSQL keeps the names in lower case (the program reads them in
    // the ledger's spelling).
    const QString columns = env.onPostgres() ? "SELECT column_name AS name, ordinal_position - 1 AS cid FROM "
                                               "information_schema.columns WHERE table_name = lower('%1')"
                                             : "SELECT name, cid FROM pragma_table_info('%1')";
    const auto column = [&](const char* table, int position) {
        return env.scalar(QString("SELECT name FROM (%1) AS c WHERE cid = %2").arg(columns.arg(table)).arg(position));
    };
    const auto size = [&](const char* table) {
        return env.scalar(QString("SELECT COUNT(*) FROM (%1) AS c").arg(columns.arg(table)));
    };
    EXPECT_EQ(column("Mervalis", 1).toLower(), "clientname");
    EXPECT_EQ(column("Mervalis2", 13).toLower(), "subtotal");
    // Every field by name: the sale entry test reads them all.
    EXPECT_EQ(QStringList({size("Mervalis"), size("Mervalis2"), size("Mervalis3")}), QStringList({"20", "27", "15"}));

    env.exec("INSERT INTO Mervalis2 (ReferenceID, Month, Year, SubTotal, Amount) VALUES ('Cisco', '7', '2026', '30', '19.99')");
    // Text compares without regard to case; Month and Year stay text; numbers are numbers.
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE ReferenceID = 'CISCO' AND Month = '7' AND Year = '2026'"), "1");
    EXPECT_EQ(env.scalar(QString("SELECT %1 || %2 || %3 || PAID || ID FROM Mervalis2")
                             .arg(env.kindOf("Month"), env.kindOf("Year"), env.kindOf("SubTotal"))),
              env.onPostgres() ? "citextcitextnumericunpaid1" : "texttextintegerunpaid1");
    env.exec("INSERT INTO Mervalis2 (ReferenceID) VALUES ('cisco')");
    EXPECT_EQ(env.scalar("SELECT COUNT(DISTINCT ReferenceID) FROM Mervalis2"), "1");
    EXPECT_THROW(env.exec("INSERT INTO Mervalis2 (Amount) VALUES ('ten')"), std::runtime_error);
}

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
    const auto indexes = [&] {
        return scalarOf(installation.databasePath(),
                        "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'Mervalis2%'");
    };
    EXPECT_EQ(indexes(), QString::number(setup::indexStatements().size()));
    EXPECT_EQ(scalarOf(installation.databasePath(), "SELECT ClientName FROM Mervalis2"), "Kept");
    EXPECT_EQ(scalarOf(installation.databasePath(), "SELECT COUNT(*) FROM MervalisTaxDetails"), "0");
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
    EXPECT_TRUE(text.startsWith("#!/bin/sh\n# "));
    EXPECT_TRUE(text.contains("SERVER=\"\"\n"));
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
    // libpq's connection text becomes psqlODBC's values; anything else is refused.
    setup::Settings settings;
    QString error;
    ASSERT_TRUE(setup::postgresSettings("host=db1  port = 5433 dbname='my ledger' user=anna password='it\\'s;x'",
                                        &settings, &error))
        << error.toStdString();
    EXPECT_EQ(settings, (setup::Settings{{"Servername", "db1"}, {"Port", "5433"}, {"Database", "my ledger"},
                                         {"Username", "anna"}, {"Password", "it's;x"}, {"SSLmode", "require"}}));
    EXPECT_EQ(setup::postgresConnectionString(settings),
              "Driver={PostgreSQL Unicode};Servername=db1;Port=5433;Database=my ledger;Username=anna;"
              "Password={it's;x};SSLmode=require");
    // Encrypted unless told otherwise; a root certificate goes to libpq.
    ASSERT_TRUE(setup::postgresSettings("dbname=x sslmode=verify-full sslrootcert='/etc/my root.crt'", &settings,
                                        &error));
    EXPECT_EQ(settings, (setup::Settings{{"Database", "x"}, {"SSLmode", "verify-full"},
                                         {"pqopt", "sslrootcert='/etc/my root.crt'"}}));
    EXPECT_FALSE(setup::postgresSettings("host=db1 user=anna", &settings, &error));
    EXPECT_TRUE(error.contains("dbname")) << error.toStdString();
    EXPECT_FALSE(setup::postgresSettings("dbname=x options=-cfoo", &settings, &error));
    EXPECT_TRUE(error.contains("\"options\"")) << error.toStdString();
    EXPECT_FALSE(setup::postgresSettings("dbname='x", &settings, &error));
    EXPECT_FALSE(setup::postgresSettings("dbname", &settings, &error));

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
    EXPECT_TRUE(odbcIni.contains("Mervalis=PostgreSQL Unicode"));
    EXPECT_TRUE(odbcIni.contains("SSLmode=verify-full"));

    // The program adds through the data source; a sale gets PAID "unpaid".
    ScriptedDialogs dialogs;
    {
        Store store(dialogs);
        ASSERT_TRUE(store.adodc2.addNew({"ClientName", "ReferenceID", "SubTotal"}, {"Kept", "R1", "12.50"}));
        ASSERT_TRUE(store.adodc2.query("SELECT * FROM Mervalis2"));
        EXPECT_EQ(store.adodc2.rows().columnNames().mid(0, 4),
                  QStringList({"ID", "ClientName", "AssociatedCompany", "ReferenceID"}));
        EXPECT_EQ(store.adodc2.field("PAID"), "unpaid");
        EXPECT_EQ(store.adodc2.field("SubTotal"), "12.5");
        EXPECT_EQ(store.database.engine(), Database::Engine::PostgreSQL);
        // The program's own connection is encrypted.
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
    // A server that offers no TLS (it answers the request for it with "N") is told at once.
    QProcess server;
    server.start("python3", {"-c", "import socket\ns = socket.create_server(('127.0.0.1', 0))\n"
                                   "print(s.getsockname()[1], flush=True)\nwhile True:\n"
                                   "    c = s.accept()[0]; c.recv(8); c.sendall(b'N'); c.close()"});
    ASSERT_TRUE(server.waitForReadyRead(10000));
    options.postgres = "host=127.0.0.1 dbname=none port=" + server.readAllStandardOutput().trimmed();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(message.contains("The server does not accept encrypted connections")) << message.toStdString();
    server.kill();
    server.waitForFinished();
    EXPECT_EQ(QString::fromUtf8(readFile(env.odbcFile("odbc.ini"))), odbcIni);
    // --force makes the tables anew.
    options.postgres = env.postgresConnection();
    options.replaceDatabase = true;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2"), "0");
}

TEST(HelpFile, HasEverySectionTheHelpButtonsOpenAndIsWrittenWhole)
{
    test::ensureApplication();
    const QString html = setup::helpHtml();
    ASSERT_FALSE(html.isEmpty());
    const QStringList found = anchorsOf(html);
    for (const char* anchor :
         {"use", "company", "client", "sales", "invoice", "modifyinvoice", "salesgrid", "clientgrid", "analyse"}) {
        const QString name = QLatin1String(anchor);
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(name))) << anchor;
        EXPECT_TRUE(found.contains(name)) << anchor;
    }
    // Sections say what the user needs, in the program's own captions.
    for (const char* text : {"MERVALIS_HOME", "productfile.txt", "ethnicity.txt", "leadsgivento.txt",
                             "Calculate Total and Add to Database", "Mark Invoice as PAID", "Allow Update",
                             "Reset to Not Allow (default)", "View Quarterly", "70.46"}) {
        EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
    }

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Mervalis.html"));
    QString error;
    ASSERT_TRUE(setup::writeHelpFile(path, &error)) << error.toStdString();
    EXPECT_EQ(QString::fromUtf8(test::readFile(path)), html);
    EXPECT_FALSE(setup::writeHelpFile(QDir(dir.path()).filePath(QStringLiteral("missing/Mervalis.html")), &error));
    EXPECT_TRUE(error.contains(QLatin1String("could not be written")));
}
