#include "data/installation.h"

#include <QDir>
#include <QSettings>

namespace mervalis {

QString Installation::defaultProgramFolder()
{
    const QString home = qEnvironmentVariable("MERVALIS_HOME");
    if (!home.isEmpty()) return QDir::cleanPath(QDir(home).absolutePath());
    return QDir::homePath() + QStringLiteral("/.local/share/Mervalis");
}

Installation Installation::load(const QString& programFolder)
{
    Installation installation;
    installation.programFolder = programFolder;
    QSettings record(installation.recordPath(), QSettings::IniFormat);
    if (record.value(QStringLiteral("Installation/Ledger")).toString() == QLatin1String("postgresql")) {
        installation.ledger = Ledger::PostgreSQL;
    }
    if (record.value(QStringLiteral("Installation/Mode")).toString() == QLatin1String("network")) {
        installation.mode = Mode::Network;
        installation.sharedFolder = record.value(QStringLiteral("Installation/SharedFolder")).toString();
    }
    return installation;
}

bool Installation::save() const
{
    QSettings record(recordPath(), QSettings::IniFormat);
    record.setValue(QStringLiteral("Installation/Mode"),
                    mode == Mode::Network ? QStringLiteral("network") : QStringLiteral("single"));
    if (mode == Mode::Network) record.setValue(QStringLiteral("Installation/SharedFolder"), sharedFolder);
    else record.remove(QStringLiteral("Installation/SharedFolder"));
    if (ledger == Ledger::PostgreSQL) record.setValue(QStringLiteral("Installation/Ledger"), QStringLiteral("postgresql"));
    else record.remove(QStringLiteral("Installation/Ledger"));
    record.sync();
    return record.status() == QSettings::NoError;
}

QString Installation::path(const QString& fileName) const
{
    return QDir(programFolder).filePath(fileName);
}

QString Installation::databasePath() const
{
    if (mode == Mode::Network) return QDir(sharedFolder).filePath(QStringLiteral("Mervalis.db"));
    return path(QStringLiteral("Mervalis.db"));
}

}  // namespace mervalis
