// Start-up through the splash window on a test's own ODBCSYSINI and settings.
// unixODBC reads the ini folder once per process and keeps what it read for
// some seconds, so every test writes its ini files before the first start.
#include "app/form1.h"
#include "app/form3.h"
#include "app/form4.h"
#include "app/registry.h"
#include "setup/install.h"
#include "support/test_env.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::ScriptedDialogs;
using mervalis::test::TestLedger;

namespace {

using Icon = DialogService::Icon;
using Buttons = DialogService::Buttons;

QString odbcFile(const TestLedger& l, const char* name) { return QDir(l.env.odbcFolder()).filePath(QLatin1String(name)); }

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void removeDriver(const TestLedger& l)
{
    writeFile(odbcFile(l, "odbcinst.ini"), QStringLiteral("[PostgreSQL Unicode]\nDriver=psqlodbcw.so\n"));
}

// A drive script that only leaves a mark when it runs.
QString writeMarkingScript(const TestLedger& l)
{
    const QString mark = QDir(l.env.root()).filePath(QStringLiteral("Qdrive-started"));
    writeFile(l.context->installation.driveScriptPath(), QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark));
    return mark;
}

bool appears(const QString& path, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        if (QFileInfo::exists(path)) return true;
        QThread::msleep(50);
    }
    return QFileInfo::exists(path);
}

// One start of the program: the splash window's loading, and the windows it
// opened closed again at the end.
struct Start {
    explicit Start(TestLedger& l) : form3(*l.context) { form3.Form_Load(); }
    ~Start()
    {
        delete form3.helpOffer();
        delete form3.mainWindow();
    }
    Form3 form3;
};

}  // namespace

TEST(Startup, FirstStartRegistersTheDataSourceAndTheNextWritesNothing)
{
    TestLedger l(false);
    {
        Start start(l);
        // The splash window carries its fixed texts and is never shown.
        EXPECT_EQ(start.form3.windowTitle(), "Initialising......");
        EXPECT_EQ(start.form3.Label1->text(),
                  "  Checking connections...      DSN....." + QString(31, QLatin1Char(' ')) + "Q..........." +
                      QString(73, QLatin1Char(' ')) + "Please wait...........");
        EXPECT_FALSE(start.form3.isVisible());
        EXPECT_EQ(start.form3.windowHandle(), nullptr);

        // Nothing to tell: the main window reads the tables through the new
        // data source, and the help offer comes up.
        EXPECT_EQ(l.dialogs.texts(), QStringList());
        ASSERT_NE(start.form3.mainWindow(), nullptr);
        EXPECT_TRUE(start.form3.mainWindow()->isVisible());
        EXPECT_TRUE(l.store->database.isConnected());
        ASSERT_NE(start.form3.helpOffer(), nullptr);
        EXPECT_TRUE(start.form3.helpOffer()->isVisible());
    }
    const QByteArray registered = readFile(odbcFile(l, "odbc.ini"));
    EXPECT_TRUE(registered.contains("[Mervalis]\nUID=\nDBQ=" + QFile::encodeName(l.env.databasePath())));
    EXPECT_TRUE(registered.contains("[ODBC Data Sources]\nMervalis=SQLite3\n"));

    const QDateTime written = QFileInfo(odbcFile(l, "odbc.ini")).lastModified();
    QThread::msleep(20);
    {
        Start again(l);
        EXPECT_EQ(l.dialogs.texts(), QStringList());
        EXPECT_NE(again.form3.mainWindow(), nullptr);
    }
    EXPECT_EQ(readFile(odbcFile(l, "odbc.ini")), registered);
    EXPECT_EQ(QFileInfo(odbcFile(l, "odbc.ini")).lastModified(), written);
}

TEST(Startup, DriverMissingWithTheDataSourcePresentShowsOneBoxThenTheMainWindow)
{
    TestLedger l;  // "Mervalis" registered
    removeDriver(l);
    const QByteArray before = readFile(odbcFile(l, "odbc.ini"));
    Start start(l);
    ASSERT_FALSE(l.dialogs.shown().empty());
    EXPECT_EQ(l.dialogs.shown()[0].text, "You must Install Access ODBC Drivers before use this program.");
    EXPECT_EQ(l.dialogs.shown()[0].icon, Icon::Critical);
    EXPECT_EQ(l.dialogs.shown()[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(l.dialogs.shown()[0].caption, "Mervalis");
    EXPECT_EQ(l.dialogs.texts(), QStringList({Form3::driverMissingText()}));
    ASSERT_NE(start.form3.mainWindow(), nullptr);
    EXPECT_TRUE(start.form3.mainWindow()->isVisible());
    EXPECT_EQ(readFile(odbcFile(l, "odbc.ini")), before);
}

TEST(Startup, DriverAndDataSourceMissingWriteNothingAndCancelDoesWhatOkDoes)
{
    TestLedger l(false);
    removeDriver(l);
    for (const auto answer : {DialogService::Answer::Ok, DialogService::Answer::Cancel}) {
        SCOPED_TRACE(answer == DialogService::Answer::Ok ? "OK" : "Cancel");
        l.dialogs.clear();
        l.dialogs.answer(answer);
        l.dialogs.answer(answer);
        Start start(l);
        // Both boxes in order, then the main window, whose tables cannot be
        // reached and say so.
        ASSERT_GE(l.dialogs.shown().size(), 2u);
        EXPECT_EQ(l.dialogs.shown()[0].text, "You must Install Access ODBC Drivers before use this program.");
        EXPECT_EQ(l.dialogs.shown()[1].text, "Can't find access ODBC driver.");
        EXPECT_EQ(l.dialogs.shown()[1].icon, Icon::Critical);
        EXPECT_EQ(l.dialogs.shown()[1].buttons, Buttons::OkCancel);
        ASSERT_NE(start.form3.mainWindow(), nullptr);
        EXPECT_TRUE(start.form3.mainWindow()->isVisible());
        EXPECT_NE(start.form3.helpOffer(), nullptr);
        EXPECT_EQ(readFile(odbcFile(l, "odbc.ini")), QByteArray());
    }
}

TEST(Startup, RegistrationThatCannotWriteSaysSoAndTheMainWindowOpens)
{
    TestLedger l(false);
    QFile::remove(odbcFile(l, "odbc.ini"));
    ASSERT_TRUE(QDir().mkpath(odbcFile(l, "odbc.ini")));  // a folder nothing can be written into
    Start start(l);
    ASSERT_FALSE(l.dialogs.shown().empty());
    EXPECT_EQ(l.dialogs.shown()[0].text, "Can't create database ODBC.");
    EXPECT_EQ(l.dialogs.shown()[0].icon, Icon::Critical);
    EXPECT_EQ(l.dialogs.shown()[0].buttons, Buttons::OkCancel);
    EXPECT_FALSE(l.dialogs.texts().contains(Form3::driverMissingText()));
    ASSERT_NE(start.form3.mainWindow(), nullptr);
    EXPECT_TRUE(start.form3.mainWindow()->isVisible());
}

TEST(Startup, ADataSourceOfAnotherDriverIsLeftAlone)
{
    TestLedger l(false);
    writeFile(odbcFile(l, "odbc.ini"),
              QStringLiteral("[Mervalis]\nDriver = PostgreSQL Unicode\nServername = 127.0.0.1\n"));
    const QByteArray before = readFile(odbcFile(l, "odbc.ini"));
    Start start(l);
    EXPECT_EQ(readFile(odbcFile(l, "odbc.ini")), before);
    EXPECT_FALSE(l.dialogs.texts().contains(Form3::noDriverForDataSourceText()));
    EXPECT_FALSE(l.dialogs.texts().contains(Form3::dataSourceNotCreatedText()));
}

TEST(Startup, SingleMachineInstallationNeverLooksForTheSharedFolder)
{
    TestLedger l;
    const QString mark = writeMarkingScript(l);
    l.context->installation.sharedFolder = QDir(l.env.root()).filePath(QStringLiteral("missing"));
    ASSERT_EQ(l.context->installation.mode, Installation::Mode::SingleMachine);
    Start start(l);
    EXPECT_EQ(l.dialogs.texts(), QStringList());
    EXPECT_FALSE(appears(mark, 500));
}

TEST(Startup, NetworkInstallationWithoutTheSharedFolderWarnsAndStartsTheDriveScript)
{
    TestLedger l(false);
    Installation& installation = l.context->installation;
    installation.mode = Installation::Mode::Network;
    installation.sharedFolder = QDir(l.env.root()).filePath(QStringLiteral("share"));
    const QString mark = writeMarkingScript(l);
    Start start(l);
    ASSERT_FALSE(l.dialogs.shown().empty());
    const QString shared = installation.sharedFolder;
    EXPECT_EQ(l.dialogs.shown()[0].text,
              "You do not seem to have a Q drive. A Q drive must be mapped onto the " + shared +
                  " directory. This program will try to create one for you. If you get an ODBC error after this "
                  "message then you do not have a system DSN connection in Control Panel>ODBC named 'Mervalis' "
                  "that points to the " +
                  shared + "/Mervalis.db database. This program will also try to create that connection too. You "
                           "may have to restart the program a few times until no error messages appear.");
    EXPECT_EQ(l.dialogs.shown()[0].icon, Icon::Exclamation);
    EXPECT_EQ(l.dialogs.shown()[0].buttons, Buttons::Ok);
    EXPECT_TRUE(appears(mark, 5000));
    // Start-up went on: the data source names the shared folder's database.
    EXPECT_TRUE(readFile(odbcFile(l, "odbc.ini")).contains("DBQ=" + QFile::encodeName(shared) + "/Mervalis.db\n"));
    EXPECT_NE(start.form3.mainWindow(), nullptr);
}

TEST(Startup, NetworkInstallationWithTheSharedFolderGoesStraightOn)
{
    TestLedger l(false);
    // The folder the program folder's database lives in stands for the share.
    const setup::InstallOptions options{l.env.programFolder(), l.env.programFolder(), false, false, true};
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    l.context->installation = Installation::load(l.env.programFolder());
    ASSERT_EQ(l.context->installation.mode, Installation::Mode::Network);
    const QString mark = writeMarkingScript(l);
    Start start(l);
    EXPECT_EQ(l.dialogs.texts(), QStringList());
    EXPECT_FALSE(appears(mark, 500));
    EXPECT_TRUE(l.store->database.isConnected());
}

TEST(Startup, HelpOfferShowsUntilItsBoxIsTickedOnce)
{
    TestLedger l;
    l.settings->setValue(QStringLiteral("Noshow/Help"), QStringLiteral(" 1"));
    {
        Start start(l);
        Form4* offer = start.form3.helpOffer();
        ASSERT_NE(offer, nullptr);
        EXPECT_TRUE(offer->isVisible());
        EXPECT_EQ(offer->windowTitle(), "How do I use this software?");
        EXPECT_EQ(offer->Command1->text(), "How do I use this software?");
        EXPECT_EQ(offer->Check1->text(), "Don't show me this again.");
        EXPECT_EQ(offer->Check1->accessibleName(), offer->Check1->text());

        offer->Command1->click();
        offer->Command1->click();
        EXPECT_EQ(l.help.anchors, QStringList({"use", "use"}));

        // The main window stays in use beside it; closing it leaves the offer.
        start.form3.mainWindow()->close();
        EXPECT_TRUE(offer->isVisible());

        offer->Check1->click();  // ticked
        EXPECT_EQ(l.settings->value(QStringLiteral("Noshow/Help")).toString(), "1");
        offer->Check1->click();  // unticked: the "1" stays
        EXPECT_EQ(l.settings->value(QStringLiteral("Noshow/Help")).toString(), "1");
    }
    {
        Start start(l);
        EXPECT_EQ(start.form3.helpOffer(), nullptr);
        EXPECT_NE(start.form3.mainWindow(), nullptr);
    }
    l.settings->remove(QStringLiteral("Noshow/Help"));
    {
        Start start(l);
        EXPECT_NE(start.form3.helpOffer(), nullptr);
    }
}

TEST(Startup, NetworkSetUpWritesADriveScriptTheAdministratorCompletes)
{
    TestLedger l(false);
    const QString shared = QDir(l.env.root()).filePath(QStringLiteral("it's shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const setup::InstallOptions options{l.env.programFolder(), shared, false, false, true};
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    const QString script = Installation::load(l.env.programFolder()).driveScriptPath();
    ASSERT_TRUE(QFileInfo(script).isExecutable());
    const QString text = QString::fromUtf8(readFile(script));
    EXPECT_TRUE(text.startsWith("#!/bin/sh\n# "));
    EXPECT_TRUE(text.contains("SERVER=\"\"\n"));

    // Run as shipped it asks for the server and mounts nothing; the mount
    // point it names is the recorded shared folder, quoted for the shell.
    QProcess run;
    run.start(QStringLiteral("/bin/sh"), {script});
    ASSERT_TRUE(run.waitForFinished(5000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(run.readAllStandardError()), "Qdrive.sh: set SERVER first\n");
    QProcess values;
    values.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("eval \"$(grep '^MOUNT_POINT=' \"$0\")\"; printf %s \"$MOUNT_POINT\""),
                  script});
    ASSERT_TRUE(values.waitForFinished(5000));
    EXPECT_EQ(QString::fromUtf8(values.readAllStandardOutput()), shared);
}
