// mervalis-setup: creates a Mervalis installation in the program folder.
#include "setup/help_file.h"
#include "setup/install.h"
#include "data/money.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    mervalis::keepMachineNumbers();
    QCoreApplication::setApplicationName(QStringLiteral("mervalis-setup"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates the Mervalis program folder ($MERVALIS_HOME, or ~/.local/share/Mervalis), its database "
        "Mervalis.db and its help file, and records the installation mode."));
    parser.addHelpOption();
    const QCommandLineOption sample(QStringLiteral("sample-data"),
                                    QStringLiteral("Fill the new database with a sample ledger."));
    const QCommandLineOption network(QStringLiteral("network"),
                                     QStringLiteral("Network installation: the database lives in SHARED_FOLDER, "
                                                    "the path where the shared folder is mounted."),
                                     QStringLiteral("SHARED_FOLDER"));
    const QCommandLineOption postgres(
        QStringLiteral("postgres"),
        QStringLiteral("Keep the ledger in a PostgreSQL database, for several workstations adding sales at once: "
                       "CONNECTION is libpq's \"host=... port=... dbname=... user=...\" (sslmode is require unless "
                       "named; sslmode=verify-full sslrootcert=FILE checks the server's certificate). Makes the "
                       "ledger's tables there (an existing ledger is joined as it is) and registers the data source "
                       "\"Mervalis\" on the PostgreSQL Unicode ODBC driver."),
        QStringLiteral("CONNECTION"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace an existing database (its data is lost)."));
    const QCommandLineOption quietExisting(
        QStringLiteral("keep-existing"),
        QStringLiteral("Leave an existing installation's data as it is and succeed; the modes of its files are "
                       "tightened (owner only)."));
    const QCommandLineOption backup(QStringLiteral("backup"),
                                    QStringLiteral("Copy the ledger database to FILE, consistently even while "
                                                   "Mervalis is open and writing; nothing else is done."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption restore(QStringLiteral("restore"),
                                     QStringLiteral("Replace the ledger by the one in FILE (a backup), keeping the "
                                                    "replaced records beside the database; refused while a "
                                                    "program is writing to the database."),
                                     QStringLiteral("FILE"));
    parser.addOptions({sample, network, postgres, force, quietExisting, backup, restore});
    parser.process(app);

    mervalis::setup::InstallOptions options;
    options.sampleData = parser.isSet(sample);
    options.replaceDatabase = parser.isSet(force);
    options.keepExisting = parser.isSet(quietExisting);
    if (parser.isSet(network)) options.sharedFolder = parser.value(network);
    if (parser.isSet(postgres)) options.postgres = parser.value(postgres);

    QTextStream out(stdout);
    QTextStream err(stderr);
    QString message;
    if (parser.isSet(backup) && parser.isSet(restore)) {
        err << "--backup and --restore go one at a time." << Qt::endl;
        return 2;
    }
    if ((parser.isSet(backup) || parser.isSet(restore)) && (options.sampleData || options.replaceDatabase)) {
        err << "--sample-data and --force do not go with --backup or --restore." << Qt::endl;
        return 2;
    }
    bool ok;
    if (parser.isSet(backup)) ok = mervalis::setup::backupInstallation(QString(), parser.value(backup), &message);
    else if (parser.isSet(restore)) ok = mervalis::setup::restoreInstallation(options, parser.value(restore), &message);
    else ok = mervalis::setup::install(options, &message);
    (ok ? out : err) << message << Qt::endl;
    return ok ? 0 : 1;
}
