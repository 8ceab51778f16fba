#include "setup/help_file.h"
#include "setup/install.h"
#include "setup/schema.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <sqlite3.h>

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
    const auto column = [&](const char* table, int position) {
        return env.scalar(QString("SELECT name FROM pragma_table_info('%1') WHERE cid = %2").arg(table).arg(position));
    };
    const auto size = [&](const char* table) {
        return env.scalar(QString("SELECT COUNT(*) FROM pragma_table_info('%1')").arg(table));
    };
    EXPECT_EQ(column("Mervalis", 1), "ClientName");
    EXPECT_EQ(column("Mervalis2", 13), "SubTotal");
    // Every field by name: the sale entry test reads them all.
    EXPECT_EQ(QStringList({size("Mervalis"), size("Mervalis2"), size("Mervalis3")}), QStringList({"20", "27", "15"}));

    env.exec("INSERT INTO Mervalis2 (ReferenceID, Month, Year, SubTotal, Amount) VALUES ('Cisco', 7, 2026, '30', '19.99')");
    // Text compares without regard to case; Month and Year stay text; numbers are numbers.
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE ReferenceID = 'CISCO' AND Month = '7' AND Year = '2026'"), "1");
    EXPECT_EQ(env.scalar("SELECT typeof(Month) || typeof(Year) || typeof(SubTotal) || PAID || ID FROM Mervalis2"),
              "texttextintegerunpaid1");
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

    // A second run keeps the data.
    QString error;
    ASSERT_FALSE(setup::createDatabase(installation.databasePath(), false, &error));
    EXPECT_TRUE(error.contains("exists"));
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.contains("exists already"));
    options.keepExisting = true;
    EXPECT_TRUE(setup::install(options, &message));
    // A ledger of an earlier version gets the indexes it lacks, its rows kept.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(installation.databasePath().toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "DROP INDEX Mervalis2_SalesRep; DROP INDEX Mervalis2_YearMonth;"
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
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    const Installation network = Installation::load(options.programFolder);
    EXPECT_EQ(network.mode, Installation::Mode::Network);
    EXPECT_EQ(network.databasePath(), QDir(options.sharedFolder).filePath("Mervalis.db"));
    EXPECT_TRUE(QFile::exists(network.databasePath()));

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
