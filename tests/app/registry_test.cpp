// The registry routines over the ODBC ini files of a test's own ODBCSYSINI.
// unixODBC reads the ini folder once per process and keeps what it read for
// some seconds, so every test writes its ini files before the first look-up.
#include "app/registry.h"
#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::TestEnvironment;
using mervalis::test::TestLedger;

namespace {

void writeIni(const TestLedger& l, const QString& name, const QString& text)
{
    QFile file(QDir(l.env.odbcFolder()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QByteArray odbcIni(const TestLedger& l)
{
    QFile file(QDir(l.env.odbcFolder()).filePath(QStringLiteral("odbc.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    writeIni(l, QStringLiteral("odbcinst.ini"),
             QStringLiteral("[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\n"
                            "[Fits]\nDriver=%1\nEmpty=\n[TooLong]\nDriver=%1w\n")
                 .arg(value255));

    QString room(255, QLatin1Char(' '));
    EXPECT_TRUE(isSZKeyExist(QStringLiteral("SOFTWARE\\ODBC\\ODBCINST.INI\\Fits"), QStringLiteral("Driver"), room));
    EXPECT_EQ(room, value255);
    QString empty(255, QLatin1Char(' '));
    EXPECT_TRUE(isSZKeyExist(QStringLiteral("SOFTWARE\\ODBC\\ODBCINST.INI\\Fits"), QStringLiteral("empty"), empty));
    EXPECT_EQ(empty, QString());

    // Longer than the room, a missing value, section or key path: not found,
    // the buffer as it was.
    QString untouched(255, QLatin1Char(' '));
    EXPECT_FALSE(
        isSZKeyExist(QStringLiteral("SOFTWARE\\ODBC\\ODBCINST.INI\\TooLong"), QStringLiteral("Driver"), untouched));
    EXPECT_FALSE(
        isSZKeyExist(QStringLiteral("SOFTWARE\\ODBC\\ODBCINST.INI\\Fits"), QStringLiteral("Setup"), untouched));
    EXPECT_FALSE(
        isSZKeyExist(QStringLiteral("SOFTWARE\\ODBC\\ODBCINST.INI\\Missing"), QStringLiteral("Driver"), untouched));
    EXPECT_FALSE(isSZKeyExist(QStringLiteral("SOFTWARE\\Other\\Fits"), QStringLiteral("Driver"), untouched));
    EXPECT_EQ(untouched, QString(255, QLatin1Char(' ')));

    QString driver = QStringLiteral("unchanged");
    ASSERT_TRUE(checkAccessDriver(driver));
    const QString installed = TestEnvironment::sqliteDriverPath();
    if (QDir::isAbsolutePath(installed)) EXPECT_EQ(driver, installed);
    else EXPECT_EQ(driver, QStringLiteral("SQLite3"));  // no driver library on this machine

    EXPECT_EQ(resolveDriverLibrary(QStringLiteral("/opt/odbc/lib.so")), QStringLiteral("/opt/odbc/lib.so"));
    EXPECT_EQ(resolveDriverLibrary(QStringLiteral("no-such-driver.so")), QString());
    EXPECT_EQ(systemOdbcIniPath(), QDir(l.env.odbcFolder()).filePath(QStringLiteral("odbc.ini")));
}

TEST(Registry, CreateWritesTheThreeKeysInOrderAndTheDataSourceConnects)
{
    TestLedger l(false);
    QFile::remove(QDir(l.env.odbcFolder()).filePath(QStringLiteral("odbc.ini")));
    EXPECT_FALSE(checkWantedAccessDSN(QStringLiteral("Mervalis")));

    QString driver;
    ASSERT_TRUE(checkAccessDriver(driver));
    ASSERT_TRUE(createAccessDSN(driver, QStringLiteral("Mervalis"), l.context->installation));
    const QByteArray ini = odbcIni(l);
    const QString database = l.env.databasePath();
    EXPECT_EQ(section(ini, QStringLiteral("Mervalis")),
              QStringList({"UID=", "DBQ=" + database, "Driver=" + driver, "FIL=MS Access;", "DriverId=25",
                           "SafeTransactions=0", "Database=" + database, "Engines\\Jet\\ImplicitCommitSync=",
                           "Engines\\Jet\\UserCommitSync=Yes", "Engines\\Jet\\MaxBufferSize=2048",
                           "Engines\\Jet\\PageTimeout=5", "Engines\\Jet\\Threads=3"}));
    EXPECT_EQ(section(ini, QStringLiteral("ODBC Data Sources")), QStringList({"Mervalis=SQLite3"}));
    EXPECT_TRUE(checkWantedAccessDSN(QStringLiteral("Mervalis")));

    // The data source reaches the installation's database.
    l.env.exec(QStringLiteral("INSERT INTO Mervalis3 (CompanyName) VALUES ('Acme')"));
    ASSERT_TRUE(l.store->adodc3.Refresh());
    EXPECT_EQ(l.store->adodc3.recordCount(), 1);

    // A network installation registers the database of the shared folder.
    Installation network = l.context->installation;
    network.mode = Installation::Mode::Network;
    network.sharedFolder = QDir(l.env.root()).filePath(QStringLiteral("share"));
    ASSERT_TRUE(createAccessDSN(driver, QStringLiteral("Branch"), network));
    EXPECT_TRUE(section(odbcIni(l), QStringLiteral("Branch"))
                    .contains("DBQ=" + QDir(network.sharedFolder).filePath(QStringLiteral("Mervalis.db"))));
    EXPECT_EQ(section(odbcIni(l), QStringLiteral("Mervalis")), section(ini, QStringLiteral("Mervalis")));
}

TEST(Registry, ADataSourceOfAnotherDriverCountsAsRegistered)
{
    TestLedger l(false);
    // A section with its driver is a data source to unixODBC; an entry in the
    // list without its section is not (odbcinst -u -s leaves such entries).
    writeIni(l, QStringLiteral("odbc.ini"),
             QStringLiteral("[ODBC Data Sources]\nLeftOver=SQLite3\n\n"
                            "[Mervalis]\nDriver=PostgreSQL Unicode\nServername=ledger.example\n"));
    EXPECT_TRUE(checkWantedAccessDSN(QStringLiteral("Mervalis")));
    EXPECT_FALSE(checkWantedAccessDSN(QStringLiteral("LeftOver")));
    EXPECT_FALSE(checkWantedAccessDSN(QString()));
}

TEST(Registry, CreateAnswersNoWhenOdbcIniCannotBeWritten)
{
    TestLedger l(false);
    const QString path = QDir(l.env.odbcFolder()).filePath(QStringLiteral("odbc.ini"));
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    QString driver;
    ASSERT_TRUE(checkAccessDriver(driver));
    EXPECT_FALSE(createAccessDSN(driver, QStringLiteral("Mervalis"), l.context->installation));
    EXPECT_FALSE(checkWantedAccessDSN(QStringLiteral("Mervalis")));
    EXPECT_TRUE(QFileInfo(path).isDir());
}
