// mervalis-setup: creates a Mervalis installation in the program folder.
#include "setup/help_file.h"
#include "setup/install.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace an existing database (its data is lost)."));
    const QCommandLineOption quietExisting(QStringLiteral("keep-existing"),
                                           QStringLiteral("Leave an existing installation as it is and succeed."));
    parser.addOptions({sample, network, force, quietExisting});
    parser.process(app);

    mervalis::setup::InstallOptions options;
    options.sampleData = parser.isSet(sample);
    options.replaceDatabase = parser.isSet(force);
    options.keepExisting = parser.isSet(quietExisting);
    if (parser.isSet(network)) options.sharedFolder = parser.value(network);

    QTextStream out(stdout);
    QTextStream err(stderr);
    QString message;
    const bool ok = mervalis::setup::install(options, &message);
    (ok ? out : err) << message << Qt::endl;
    return ok ? 0 : 1;
}
