#include "app/form3.h"

#include "app/form1.h"
#include "app/form4.h"
#include "app/registry.h"
#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/installation.h"
#include "ui/ui.h"

#include <QFileInfo>
#include <QLabel>
#include <QProcess>

namespace mervalis {

QString Form3::captionText() { return QStringLiteral("Initialising......"); }

QString Form3::labelText()
{
    return QString(2, QLatin1Char(' ')) + QStringLiteral("Checking connections...") + QString(6, QLatin1Char(' ')) +
           QStringLiteral("DSN.....") + QString(31, QLatin1Char(' ')) + QStringLiteral("Q...........") +
           QString(73, QLatin1Char(' ')) + QStringLiteral("Please wait...........");
}

// The shared folder stands for drive Q: and its database for the one on Q:.
QString Form3::sharedFolderMissingText(const Installation& installation)
{
    return QStringLiteral("You do not seem to have a Q drive. A Q drive must be mapped onto the %1 directory. "
                          "This program will try to create one for you. If you get an ODBC error after this "
                          "message then you do not have a system DSN connection in Control Panel>ODBC named "
                          "'Mervalis' that points to the %2 database. This program will also try to create that "
                          "connection too. You may have to restart the program a few times until no error "
                          "messages appear.")
        .arg(installation.sharedFolder, installation.databasePath());
}

QString Form3::driverMissingText()
{
    return QStringLiteral("You must Install Access ODBC Drivers before use this program.");
}

QString Form3::noDriverForDataSourceText() { return QStringLiteral("Can't find access ODBC driver."); }

QString Form3::dataSourceNotCreatedText() { return QStringLiteral("Can't create database ODBC."); }

QString Form3::wantedDataSourceName() { return QStringLiteral("Mervalis"); }

Form3::Form3(AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), context_(context)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(captionText());
    Label1 = named(new QLabel(labelText(), this), "Label1", QStringLiteral("Checking connections"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setStyleHint(QFont::SansSerif);
    sansSerif.setBold(true);
    Label1->setFont(sansSerif);
    Label1->setGeometry(twips(360), twips(480), twips(3855), twips(2055));
    setFixedSize(twips(4680), twips(3195));
}

Form1* Form3::mainWindow() const { return form1_; }

Form4* Form3::helpOffer() const { return form4_; }

void Form3::Form_Load()
{
    if (context_.installation.mode == Installation::Mode::Network) checkSharedFolder();
    registerDataSource();
    openMainWindow();
    close();
    offerHelp();
}

void Form3::checkSharedFolder()
{
    const Installation& installation = context_.installation;
    // An unmounted share often leaves its mount point behind as an empty
    // folder: the database in it is what tells that the share is there.
    if (!installation.sharedFolder.isEmpty() && QFileInfo::exists(installation.databasePath())) return;
    context_.dialogs.warn(sharedFolderMissingText(installation));
    // The script is the installation's; it runs on its own and its result is
    // not looked at.
    QProcess::startDetached(QStringLiteral("/bin/sh"), {installation.driveScriptPath()},
                            installation.programFolder);
}

void Form3::registerDataSource()
{
    QString driverPath;
    const QString wantedDataSource = wantedDataSourceName();
    if (!checkAccessDriver(driverPath)) context_.dialogs.critical(driverMissingText());
    if (checkWantedAccessDSN(wantedDataSource)) return;
    if (driverPath.isEmpty()) {
        context_.dialogs.critical(noDriverForDataSourceText());
        return;
    }
    if (!createAccessDSN(driverPath, wantedDataSource, context_.installation))
        context_.dialogs.critical(dataSourceNotCreatedText());
}

void Form3::openMainWindow()
{
    form1_ = new Form1(context_);
    form1_->setAttribute(Qt::WA_DeleteOnClose);
    form1_->show();
    form1_->Form_Load();
}

void Form3::offerHelp()
{
    if (Form4::hiddenBySettings(context_)) return;
    form4_ = new Form4(context_);
    form4_->setAttribute(Qt::WA_DeleteOnClose);
    if (form1_) form4_->move(form1_->geometry().center() - form4_->rect().center());
    form4_->show();
    form4_->raise();
    form4_->activateWindow();
}

}  // namespace mervalis
