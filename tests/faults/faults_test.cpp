// A ledger that cannot be used is told clearly, and nothing crashes or is
// stored where it cannot be.
#include "entry/list_files.h"
#include "support/start.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QProcess>

#include <unistd.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// Replaces the data source's section of odbc.ini.
void pointDataSource(const TestLedger& l, const QString& values)
{
    writeFile(l.env.odbcFile("odbc.ini"), ("[ODBC Data Sources]\nMervalis=x\n\n[Mervalis]\n" + values).toUtf8());
}

// A folder no program may add files to, not even one run by root (whom
// permissions do not stop): immutable while the guard lives.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder) : folder_(std::move(folder))
    {
        if (geteuid() == 0) ok_ = QProcess::execute("chattr", {"+i", folder_}) == 0;
        else ok_ = QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
    ~ReadOnlyFolder()
    {
        if (geteuid() == 0) QProcess::execute("chattr", {"-i", folder_});
        else QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ok() const { return ok_; }

private:
    QString folder_;
    bool ok_ = false;
};

const QStringList kSale{"ClientName", "ReferenceID", "SubTotal"};

}  // namespace

TEST(Faults, AFileThatIsNoDatabaseIsToldAndNothingIsWrittenIntoIt)
{
    TestLedger l;
    if (l.env.onPostgres()) GTEST_SKIP() << "a database file is a SQLite ledger's";
    const QByteArray notALedger = "These are my notes, not a ledger.\n";
    writeFile(l.env.databasePath(), notALedger);
    {
        Start start(l);
        ASSERT_NE(start.form3.mainWindow(), nullptr);
        const QStringList shown = l.dialogs.take();
        ASSERT_FALSE(shown.isEmpty());
        for (const QString& text : shown) EXPECT_TRUE(text.contains("not a database")) << text.toStdString();
        EXPECT_FALSE(l.store->adodc2.addNew(kSale, {"Acme", "R1", "5"}));
        ASSERT_EQ(l.dialogs.shown().size(), 1u);
        EXPECT_TRUE(l.dialogs.last().contains("could not add the record")) << l.dialogs.last().toStdString();
    }
    EXPECT_EQ(readFile(l.env.databasePath()), notALedger);
}

TEST(Faults, ADataSourcePointingNowhereIsToldOnceAtStartAndAtEveryAdd)
{
    TestLedger l;
    // A server that is not there, or a database file in a folder that is not.
    pointDataSource(l, l.env.onPostgres() ? "Driver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=1\nDatabase=none\n"
                                          : "Driver=" + TestEnvironment::sqliteDriverPath() +
                                                "\nDatabase=" + l.env.file("gone/Mervalis.db") + "\n");
    {
        Start start(l);
        ASSERT_NE(start.form3.mainWindow(), nullptr);
        const QStringList shown = l.dialogs.take();
        ASSERT_EQ(shown.size(), 1) << shown.join('\n').toStdString();
        EXPECT_TRUE(shown[0].startsWith(l.env.onPostgres() ? "The data source \"Mervalis\" could not be reached."
                                                           : "The ledger's database " + l.env.file("gone/Mervalis.db") +
                                                                 " does not exist"))
            << shown[0].toStdString();
        EXPECT_FALSE(l.store->adodc2.addNew(kSale, {"Acme", "R1", "5"}));
        ASSERT_EQ(l.dialogs.shown().size(), 1u);
        EXPECT_TRUE(l.dialogs.last().contains("\"Mervalis\" could not")) << l.dialogs.last().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(l.env.file("gone")));
}

TEST(Faults, AReadOnlyProgramFolderStoresNothingThereAndSaysSo)
{
    TestLedger l;
    ASSERT_TRUE(l.store->database.connect());
    l.env.exec("INSERT INTO Mervalis2 (ClientName, ReferenceID) VALUES ('Acme', 'R0')");
    ReadOnlyFolder readOnly(l.env.programFolder());
    if (!readOnly.ok()) GTEST_SKIP() << "this file system cannot make a folder read-only for root";

    // A missing list file cannot be made: said, and the list stays usable.
    QComboBox products;
    fillFromListFile(&products, ListFile::Products, *l.context);
    const QStringList told = l.dialogs.take();
    ASSERT_FALSE(told.isEmpty());
    EXPECT_TRUE(told.last().contains("could not be created")) << told.last().toStdString();

    // A SQLite ledger in the folder cannot take the add (its journal would go
    // beside it): told, nothing stored. On PostgreSQL the ledger is elsewhere.
    const bool added = l.store->adodc2.addNew(kSale, {"Acme", "R1", "5"});
    if (l.env.onPostgres()) {
        EXPECT_TRUE(added);
        EXPECT_TRUE(l.dialogs.shown().empty());
    } else {
        EXPECT_FALSE(added);
        ASSERT_EQ(l.dialogs.shown().size(), 1u);
        EXPECT_TRUE(l.dialogs.last().contains("could not add the record")) << l.dialogs.last().toStdString();
        EXPECT_EQ(l.env.rows("SELECT ReferenceID FROM Mervalis2"), QStringList{"R0"});
    }
    // Reading goes on.
    EXPECT_TRUE(l.store->adodc2.query("SELECT * FROM Mervalis2 WHERE ReferenceID = 'R0'"));
    EXPECT_EQ(l.store->adodc2.recordCount(), 1);
}
