// The registry routines over the ODBC ini files of a test's own ODBCSYSINI.
// unixODBC reads the ini folder once per process and keeps what it read for
// some seconds, so every test writes its ini files before the first look-up.
#include "app/registry.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

QByteArray odbcIni(const TestLedger& l) { return readFile(l.env.odbcFile("odbc.ini")); }

// One section's "name=value" lines, in file order.
QStringList section(const QByteArray& ini, const QString& name)
{
    QStringList lines;
    bool inside = false;
    for (const QByteArray& raw : ini.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) inside = line == QLatin1Char('[') + name + QLatin1Char(']');
        else if (inside && !line.isEmpty()) lines << line;
    }
    return lines;
}

}  // namespace

TEST(Registry, KeysAreReadWithinTheRoomOfferedAndTheDriverFileIsResolved)
{
    TestLedger l(false);
    const QString value255(255, QLatin1Char('v'));
    // Debian's odbcinst.ini names the driver by its bare file name.
    const QString drivers = "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\n"
                            "[Fits]\nDriver=%1\nEmpty=\n[TooLong]\nDriver=%1w\n";
    writeFile(l.env.odbcFile("odbcinst.ini"), drivers.arg(value255).toUtf8());

    const QString inst = "SOFTWARE\\ODBC\\ODBCINST.INI\\";
    QString room(255, QLatin1Char(' '));
    EXPECT_TRUE(isSZKeyExist(inst + "Fits", "Driver", room));
    EXPECT_EQ(room, value255);
    QString empty(255, QLatin1Char(' '));
    EXPECT_TRUE(isSZKeyExist(inst + "Fits", "empty", empty));
    EXPECT_EQ(empty, QString());

    // Longer than the room, a missing value, section or key path: not found,
    // the buffer as it was.
    const std::pair<QString, QString> missing[] = {{inst + "TooLong", "Driver"}, {inst + "Fits", "Setup"},
                                                   {inst + "Missing", "Driver"}, {"SOFTWARE\\Other\\Fits", "Driver"}};
    QString untouched(255, QLatin1Char(' '));
    for (const auto& [path, value] : missing) EXPECT_FALSE(isSZKeyExist(path, value, untouched)) << path.toStdString();
    EXPECT_EQ(untouched, QString(255, QLatin1Char(' ')));

    QString driver = QStringLiteral("unchanged");
    ASSERT_TRUE(checkAccessDriver(driver));
    const QString installed = TestEnvironment::sqliteDriverPath();
    if (QDir::isAbsolutePath(installed)) EXPECT_EQ(driver, installed);
    else EXPECT_EQ(driver, QStringLiteral("SQLite3"));  // no driver library on this machine

    EXPECT_EQ(resolveDriverLibrary(QStringLiteral("/opt/odbc/lib.so")), QStringLiteral("/opt/odbc/lib.so"));
    EXPECT_EQ(resolveDriverLibrary(QStringLiteral("no-such-driver.so")), QString());
    EXPECT_EQ(systemOdbcIniPath(), l.env.odbcFile("odbc.ini"));
}

TEST(Registry, CreateWritesTheKeysInOrderAndTheDataSourceConnects)
{
    TestLedger l(false);
    QFile::remove(l.env.odbcFile("odbc.ini"));
    EXPECT_FALSE(checkWantedAccessDSN("Mervalis"));

    QString driver;
    ASSERT_TRUE(checkAccessDriver(driver));
    ASSERT_TRUE(createAccessDSN(driver, "Mervalis", l.context->installation));
    const QByteArray ini = odbcIni(l);
    const QString database = l.env.databasePath();
    EXPECT_EQ(section(ini, "Mervalis"),
              QStringList({"UID=", "DBQ=" + database, "Driver=" + driver, "FIL=MS Access;", "DriverId=25",
                           "SafeTransactions=0", "Database=" + database, "Engines\\Jet\\ImplicitCommitSync=",
                           "Engines\\Jet\\UserCommitSync=Yes", "Engines\\Jet\\MaxBufferSize=2048",
                           "Engines\\Jet\\PageTimeout=5", "Engines\\Jet\\Threads=3"}));
    EXPECT_EQ(section(ini, "ODBC Data Sources"), QStringList({"Mervalis=SQLite3"}));
    EXPECT_TRUE(checkWantedAccessDSN("Mervalis"));

    // The data source reaches the installation's database.
    l.env.exec("INSERT INTO Mervalis3 (CompanyName) VALUES ('Acme')");
    ASSERT_TRUE(l.store->adodc3.Refresh());
    EXPECT_EQ(l.store->adodc3.recordCount(), 1);
}
