#include "setup/help_file.h"
#include "setup/install.h"
#include "setup/schema.h"
#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::TestEnvironment;

TEST(Schema, TablesHoldEveryFieldInTheOrderThatPositionalReadsNeed)
{
    TestEnvironment env;
    const auto columns = [&](const QString& table) {
        QStringList names;
        for (const QString& row : env.rows("PRAGMA table_info(" + table + ")")) names << row.section('|', 1, 1);
        return names;
    };
    const QStringList clients = columns("Mervalis");
    const QStringList sales = columns("Mervalis2");
    const QStringList companies = columns("Mervalis3");
    EXPECT_EQ(clients.value(1), "ClientName");
    EXPECT_EQ(sales.value(13), "SubTotal");
    EXPECT_EQ(clients.size(), 20);
    EXPECT_EQ(sales.size(), 27);
    EXPECT_EQ(companies.size(), 15);
    for (const char* field : {"City", "Country", "Sex", "Age", "Income", "Ethnicity", "LeadGivenTo", "Notes",
                              "MarketingTool", "AssociatedCompany", "ReferenceID", "Discount", "Freight", "SellDate",
                              "SalesRep", "ClientName", "ProductService", "Amount", "Tax", "Quantity", "Day", "Month",
                              "Year", "SubTotal", "TotalDue", "PAID", "ID"}) {
        EXPECT_TRUE(sales.contains(QLatin1String(field))) << field;
    }

    env.exec("INSERT INTO Mervalis2 (ReferenceID, Month, Year, SubTotal, Amount) VALUES ('Cisco', 7, 2026, '30', '19.99')");
    // Text compares without regard to case; Month and Year stay text; numbers are numbers.
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE ReferenceID = 'CISCO' AND Month = '7' AND Year = '2026'"), "1");
    EXPECT_EQ(env.scalar("SELECT typeof(Month) || typeof(Year) || typeof(SubTotal) || PAID || ID FROM Mervalis2"),
              "texttextintegerunpaid1");
    EXPECT_EQ(env.scalar("SELECT COUNT(DISTINCT ReferenceID) FROM (SELECT 'cisco' AS ReferenceID UNION ALL "
                         "SELECT ReferenceID FROM Mervalis2)"),
              "2");  // a literal has no collation of its own
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

    QFile help(installation.helpFilePath());
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(help.readAll());
    for (const char* anchor : {"use", "company", "client", "sales", "invoice", "modifyinvoice", "salesgrid",
                               "clientgrid", "analyse"}) {
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(anchor)))) << anchor;
    }

    // A second run keeps the data.
    QString error;
    ASSERT_FALSE(setup::createDatabase(installation.databasePath(), false, &error));
    EXPECT_TRUE(error.contains("exists"));
    EXPECT_FALSE(setup::install(options, &message));
    EXPECT_TRUE(message.contains("exists already"));
    options.keepExisting = true;
    EXPECT_TRUE(setup::install(options, &message));
    options.keepExisting = false;
    options.replaceDatabase = true;
    EXPECT_TRUE(setup::install(options, &message));

    // Network installation: database in the shared folder, mode recorded.
    options.sharedFolder = dir.filePath("shared");
    options.replaceDatabase = false;
    EXPECT_FALSE(setup::install(options, &message));  // shared folder not mounted
    QDir().mkpath(options.sharedFolder);
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    const Installation network = Installation::load(options.programFolder);
    EXPECT_EQ(network.mode, Installation::Mode::Network);
    EXPECT_EQ(network.databasePath(), QDir(options.sharedFolder).filePath("Mervalis.db"));
    EXPECT_TRUE(QFile::exists(network.databasePath()));
    EXPECT_TRUE(QFile::exists(network.driveScriptPath()));
}
