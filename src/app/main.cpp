// Mervalis: a sales ledger for a small business.
#include "app/form3.h"
#include "app/help_window.h"
#include "data/app_context.h"
#include "data/dialogs.h"
#include "ui/message_boxes.h"
#include "data/installation.h"
#include "data/money.h"
#include "data/store.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mervalis::keepMachineNumbers();
    QCoreApplication::setOrganizationName(QStringLiteral("Mervalis"));
    QCoreApplication::setApplicationName(QStringLiteral("Mervalis"));
    // The installed launcher and icon (desktop/): the desktop matches the
    // windows to the launcher by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mervalis.Mervalis"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("org.mervalis.Mervalis"), QIcon(QStringLiteral(":/org.mervalis.Mervalis.svg"))));

    mervalis::QtDialogService dialogs;
    const mervalis::Installation installation = mervalis::Installation::load();
    mervalis::WindowHelpLauncher help(installation.helpFilePath());
    QSettings settings(QStringLiteral("Mervalis"), QStringLiteral("Mervalis"));
    mervalis::Store store(dialogs);
    mervalis::AppContext context{store.database, store.adodc1, store.adodc2, store.adodc3,
                                 dialogs,        help,         settings,     installation};

    // The splash window's loading does the start-up work and opens the main
    // window; the program ends when its last window closes.
    auto* form3 = new mervalis::Form3(context);
    form3->setAttribute(Qt::WA_DeleteOnClose);
    form3->Form_Load();
    return app.exec();
}
