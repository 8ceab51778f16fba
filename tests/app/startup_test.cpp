// Start-up through the splash window, and the registry routines it uses, on a
// test's own ODBCSYSINI and settings. unixODBC reads the ini folder once per
// process and keeps what it read for some seconds, so every test writes its
// ini files before the first start or look-up.
#include "app/form1.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/registry.h"
#include "support/start.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <tuple>

using namespace mervalis;
using namespace mervalis::test;

namespace {

using Icon = DialogService::Icon;
using Buttons = DialogService::Buttons;

QByteArray odbcIni(const TestLedger& l) { return readFile(l.env.odbcFile("odbc.ini")); }

void removeDriver(const TestLedger& l)
{
    writeFile(l.env.odbcFile("odbcinst.ini"), "[PostgreSQL Unicode]\nDriver=psqlodbcw.so\n");
}

// The box shown at `index`, with its text, icon and buttons.
void expectBox(const TestLedger& l, size_t index, const QString& text, Icon icon, Buttons buttons)
{
    ASSERT_GT(l.dialogs.shown().size(), index);
    EXPECT_EQ(l.dialogs.shown()[index].text, text);
    EXPECT_EQ(l.dialogs.shown()[index].icon, icon);
    EXPECT_EQ(l.dialogs.shown()[index].buttons, buttons);
}

// A drive script that only leaves a mark when it runs; whether the mark
// appears within the time given.
bool driveScriptRuns(TestLedger& l, const std::function<void()>& start, int milliseconds)
{
    const QString mark = l.env.file("Qdrive-started");
    writeFile(l.context->installation.driveScriptPath(), QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark).toUtf8());
    start();
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(mark) && timer.elapsed() < milliseconds) QThread::msleep(50);
    return QFileInfo::exists(mark);
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

TEST(Startup, FirstStartRegistersTheDataSourceAndTheNextWritesNothing)
{
    TestLedger l(false);
    {
        Start start(l);
        // The splash window is never shown.
        EXPECT_EQ(start.form3.windowHandle(), nullptr);

        // Nothing to tell: the main window reads the tables through the new
        // data source, and the help offer comes up.
        EXPECT_EQ(l.dialogs.texts(), QStringList());
        ASSERT_TRUE(start.form3.mainWindow() && start.form3.mainWindow()->isVisible());
        EXPECT_TRUE(l.store->database.isConnected());
        ASSERT_TRUE(start.form3.helpOffer() && start.form3.helpOffer()->isVisible());
    }
    // The keys of the data source, in order, naming the driver's library.
    const QByteArray registered = odbcIni(l);
    const QString database = l.env.databasePath();
    EXPECT_EQ(section(registered, "Mervalis"),
              QStringList({"UID=", "DBQ=" + database, "Driver=" + TestEnvironment::sqliteDriverPath(), "FIL=MS Access;",
                           "DriverId=25", "SafeTransactions=0", "Database=" + database, "NoCreat=1",
                           "Engines\\Jet\\ImplicitCommitSync=", "Engines\\Jet\\UserCommitSync=Yes",
                           "Engines\\Jet\\MaxBufferSize=2048", "Engines\\Jet\\PageTimeout=5", "Engines\\Jet\\Threads=3"}));
    EXPECT_EQ(section(registered, "ODBC Data Sources"), QStringList({"Mervalis=SQLite3"}));

    const QDateTime written = QFileInfo(l.env.odbcFile("odbc.ini")).lastModified();
    QThread::msleep(20);
    {
        Start again(l);
        EXPECT_EQ(l.dialogs.texts(), QStringList());
        EXPECT_NE(again.form3.mainWindow(), nullptr);
    }
    EXPECT_EQ(odbcIni(l), registered);
    EXPECT_EQ(QFileInfo(l.env.odbcFile("odbc.ini")).lastModified(), written);
}

TEST(Startup, DriverMissingWithTheDataSourcePresentShowsOneBoxThenTheMainWindow)
{
    TestLedger l;  // "Mervalis" registered
    removeDriver(l);
    const QByteArray before = odbcIni(l);
    Start start(l);
    expectBox(l, 0, texts::kDriverMissing, Icon::Critical, Buttons::OkCancel);
    EXPECT_EQ(l.dialogs.shown()[0].caption, "Mervalis");
    EXPECT_EQ(l.dialogs.shown().size(), 1u);
    ASSERT_TRUE(start.form3.mainWindow() && start.form3.mainWindow()->isVisible());
    EXPECT_EQ(odbcIni(l), before);
}

TEST(Startup, DriverAndDataSourceMissingWriteNothingAndCancelDoesWhatOkDoes)
{
    TestLedger l(false);
    removeDriver(l);
    for (const auto answer : {DialogService::Answer::Ok, DialogService::Answer::Cancel}) {
        SCOPED_TRACE(answer == DialogService::Answer::Ok ? "OK" : "Cancel");
        l.dialogs.clear();
        l.dialogs.answer({answer, answer});
        Start start(l);
        // Both boxes in order, then the main window, whose tables cannot be
        // reached and say so.
        expectBox(l, 1, "Can't find access ODBC driver.", Icon::Critical, Buttons::OkCancel);
        EXPECT_EQ(l.dialogs.texts().value(0), texts::kDriverMissing);
        ASSERT_TRUE(start.form3.mainWindow() && start.form3.mainWindow()->isVisible());
        EXPECT_NE(start.form3.helpOffer(), nullptr);
        EXPECT_EQ(odbcIni(l), QByteArray());
    }
}

TEST(Startup, RegistrationThatCannotWriteSaysSoAndTheMainWindowOpens)
{
    TestLedger l(false);
    QFile::remove(l.env.odbcFile("odbc.ini"));
    ASSERT_TRUE(QDir().mkpath(l.env.odbcFile("odbc.ini")));  // a folder nothing can be written into
    Start start(l);
    expectBox(l, 0, "Can't create database ODBC.", Icon::Critical, Buttons::OkCancel);
    EXPECT_FALSE(l.dialogs.texts().contains(texts::kDriverMissing));
    ASSERT_TRUE(start.form3.mainWindow() && start.form3.mainWindow()->isVisible());
    EXPECT_FALSE(checkWantedAccessDSN("Mervalis"));
    EXPECT_TRUE(QFileInfo(l.env.odbcFile("odbc.ini")).isDir());
}

TEST(Startup, ADataSourceOfAnotherDriverCountsAsRegisteredAndIsLeftAlone)
{
    TestLedger l(false);
    // A section with its driver is a data source to unixODBC; an entry in the
    // list without its section is not (odbcinst -u -s leaves such entries).
    writeFile(l.env.odbcFile("odbc.ini"), "[ODBC Data Sources]\nLeftOver=SQLite3\n\n"
                                          "[Mervalis]\nDriver = PostgreSQL Unicode\nServername = 127.0.0.1\n");
    const QByteArray before = odbcIni(l);
    Start start(l);
    EXPECT_EQ(odbcIni(l), before);
    for (const char* told : {"Can't find access ODBC driver.", "Can't create database ODBC."}) {
        EXPECT_FALSE(l.dialogs.texts().contains(told)) << told;
    }
    EXPECT_TRUE(checkWantedAccessDSN("Mervalis"));
    EXPECT_FALSE(checkWantedAccessDSN("LeftOver") || checkWantedAccessDSN(QString()));
}

TEST(Startup, NetworkInstallationWithoutTheSharedFolderWarnsAndStartsTheDriveScript)
{
    TestLedger l(false);
    Installation& installation = l.context->installation;
    installation.mode = Installation::Mode::Network;
    // The share is not mounted: its mount point is an empty folder.
    installation.sharedFolder = l.env.file("share");
    ASSERT_TRUE(QDir().mkpath(installation.sharedFolder));
    std::unique_ptr<Start> start;
    EXPECT_TRUE(driveScriptRuns(l, [&] { start = std::make_unique<Start>(l); }, 5000));
    const QString shared = installation.sharedFolder;
    expectBox(l, 0,
              "You do not seem to have a Q drive. A Q drive must be mapped onto the " + shared +
                  " directory. This program will try to create one for you. If you get an ODBC error after this "
                  "message then you do not have a system DSN connection in Control Panel>ODBC named 'Mervalis' "
                  "that points to the " +
                  shared + "/Mervalis.db database. This program will also try to create that connection too. You "
                           "may have to restart the program a few times until no error messages appear.",
              Icon::Exclamation, Buttons::Ok);
    // Start-up went on: the data source names the shared folder's database.
    EXPECT_TRUE(odbcIni(l).contains("DBQ=" + QFile::encodeName(shared) + "/Mervalis.db\n"));
    EXPECT_NE(start->form3.mainWindow(), nullptr);
}

TEST(Startup, SingleMachineStartsStraightOnAndShowsTheHelpOfferUntilItsBoxIsTickedOnce)
{
    TestLedger l;
    l.settings->setValue("Noshow/Help", " 1");
    // A single-machine installation never looks for the shared folder.
    l.context->installation.sharedFolder = l.env.file("missing");
    ASSERT_EQ(l.context->installation.mode, Installation::Mode::SingleMachine);
    std::unique_ptr<Start> start;
    EXPECT_FALSE(driveScriptRuns(l, [&] { start = std::make_unique<Start>(l); }, 500));
    EXPECT_EQ(l.dialogs.texts(), QStringList());

    Form4* offer = start->form3.helpOffer();
    ASSERT_TRUE(offer && offer->isVisible());
    EXPECT_EQ(textsOf({offer->Command1, offer->Check1}) + QStringList(offer->windowTitle()),
              QStringList({"How do I use this software?", "Don't show me this again.", "How do I use this software?"}));
    offer->Command1->click();
    offer->Command1->click();
    EXPECT_EQ(l.help.anchors, QStringList({"use", "use"}));
    // The main window stays in use beside it; closing it leaves the offer.
    start->form3.mainWindow()->close();
    EXPECT_TRUE(offer->isVisible());
    offer->Check1->click();  // ticked
    EXPECT_EQ(l.settings->value("Noshow/Help").toString(), "1");
    offer->Check1->click();  // unticked: the "1" stays
    EXPECT_EQ(l.settings->value("Noshow/Help").toString(), "1");
    start.reset();
    {
        Start again(l);
        EXPECT_EQ(again.form3.helpOffer(), nullptr);
        EXPECT_NE(again.form3.mainWindow(), nullptr);
    }
    l.settings->remove("Noshow/Help");
    Start last(l);
    ASSERT_NE(last.form3.helpOffer(), nullptr);

    // Ticked through the accessibility interface, as a screen reader does
    // (no mouse click): stored all the same, so the offer stays away.
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(last.form3.helpOffer()->Check1);
    ASSERT_TRUE(box && box->actionInterface());
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(last.form3.helpOffer()->Check1->isChecked());
    EXPECT_EQ(l.settings->value("Noshow/Help").toString(), "1");
    Start afterwards(l);
    EXPECT_EQ(afterwards.form3.helpOffer(), nullptr);
}
