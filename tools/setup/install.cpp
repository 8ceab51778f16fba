#include "setup/install.h"

#include "setup/backup.h"
#include "setup/file_modes.h"
#include "setup/help_file.h"
#include "setup/postgres_ledger.h"
#include "setup/sample_data.h"
#include "setup/schema.h"
#include "app/registry.h"
#include "data/database.h"
#include "data/installation.h"
#include "data/owner_only.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mervalis::setup {

namespace {

// A text as one word of a shell command, whatever it holds.
QString shellQuoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
}

}  // namespace

QString driveScript(const QString& sharedFolder)
{
    return QStringLiteral(
               "#!/bin/sh\n"
               "# Mounts the shared Mervalis folder, where the ledger database of a network\n"
               "# installation lives, at %1.\n"
               "# Mervalis starts this script when it finds that folder missing at start-up.\n"
               "# Complete SERVER with the address of the machine that shares the folder, and\n"
               "# the mount command with what that share needs (cifs or nfs).\n"
               "SERVER=\"\"\n"
               "SHARE=\"mervalis\"\n"
               "MOUNT_POINT=%2\n"
               "\n"
               "[ -n \"$SERVER\" ] || { echo \"Qdrive.sh: set SERVER first\" >&2; exit 1; }\n"
               "CREATED=\"\"\n"
               "if [ ! -d \"$MOUNT_POINT\" ]; then mkdir -p \"$MOUNT_POINT\" && CREATED=1; fi\n"
               "# For a Windows or Samba share:\n"
               "mount_share() { mount -t cifs \"//$SERVER/$SHARE\" \"$MOUNT_POINT\" -o \"guest,uid=$(id -u),gid=$(id -g)\"; }\n"
               "# For an NFS export, use instead:\n"
               "# mount_share() { mount -t nfs \"$SERVER:/srv/$SHARE\" \"$MOUNT_POINT\"; }\n"
               "if ! mount_share; then\n"
               "    # Mervalis takes an existing folder for the mounted share: leave no\n"
               "    # empty folder behind when the mount failed.\n"
               "    [ -z \"$CREATED\" ] || rmdir \"$MOUNT_POINT\"\n"
               "    exit 1\n"
               "fi\n")
        .arg(sharedFolder, shellQuoted(sharedFolder));
}

namespace {

bool writeText(const QString& path, const QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    file.write(text.toUtf8());
    return true;
}

}  // namespace

namespace {

// Sets the modes of the installation's files (see restrictModes) and says
// which this and the first pass (`tightened`) changed; false when one could
// not be set.
bool setModes(const Installation& installation, QStringList tightened, QString* message)
{
    QString error;
    if (!restrictModes(installation, &tightened, &error)) {
        *message = error;
        return false;
    }
    if (!tightened.isEmpty()) {
        const QString group = installation.mode == Installation::Mode::Network
                                  ? QStringLiteral(" (and, of the database, the group %1)")
                                        .arg(groupOf(installation.sharedFolder))
                                  : QString();
        *message += QStringLiteral(" Modes set so that only the owner%1 may read the ledger: %2.")
                        .arg(group, tightened.join(QStringLiteral(", ")));
    }
    return true;
}

// The ledger's tables in a PostgreSQL database, and the data source on it.
bool installOnPostgres(const InstallOptions& options, const Installation& installation, const QStringList& tightened,
                       QString* message)
{
    Settings settings;
    QString error;
    if (!postgresSettings(options.postgres, &settings, &error)) {
        *message = error;
        return false;
    }
    Database database(QStringLiteral("Mervalis"), postgresConnectionString(settings));
    if (!database.connect()) {
        *message = QStringLiteral("The PostgreSQL database could not be reached (the PostgreSQL Unicode ODBC driver "
                                  "is Debian's odbc-postgresql): %1")
                       .arg(database.lastError());
        return false;
    }
    bool existed = false;
    if (!createPostgresLedger(database, options.replaceDatabase, &existed, &error)) {
        *message = QStringLiteral("The ledger's tables could not be made: %1").arg(error);
        return false;
    }
    if (existed && !options.replaceDatabase && options.sampleData) {
        *message = QStringLiteral("The database holds a ledger already, so no sample ledger was written "
                                  "(--force replaces it, losing its data).");
        return false;
    }
    if (options.sampleData && !fillPostgresSampleLedger(database, SampleLedger{}, &error)) {
        *message = QStringLiteral("The sample ledger could not be written: %1").arg(error);
        return false;
    }
    if (options.sampleData && !writeSampleListFiles(installation.programFolder, &error)) {
        *message = QStringLiteral("The sample list files could not be written: %1").arg(error);
        return false;
    }
    database.disconnect();
    if (!createPostgresDSN(QStringLiteral("Mervalis"), settings)) {
        *message = QStringLiteral("The data source \"Mervalis\" could not be written into %1.").arg(systemOdbcIniPath());
        return false;
    }
    *message = existed && !options.replaceDatabase
                   ? QStringLiteral("Mervalis is installed in %1 and uses the ledger already in the PostgreSQL "
                                    "database, left as it is.")
                         .arg(installation.programFolder)
                   : QStringLiteral("Mervalis is installed in %1; its ledger is in the PostgreSQL database.")
                         .arg(installation.programFolder);
    return setModes(installation, tightened, message);
}

}  // namespace

bool install(const InstallOptions& options, QString* message)
{
    if (!options.postgres.isEmpty() && !options.sharedFolder.isEmpty()) {
        *message = QStringLiteral("--network and --postgres go one at a time: a ledger on PostgreSQL needs no "
                                  "shared folder.");
        return false;
    }
    Installation installation;
    installation.programFolder =
        options.programFolder.isEmpty() ? Installation::defaultProgramFolder() : options.programFolder;
    if (!options.sharedFolder.isEmpty()) {
        installation.mode = Installation::Mode::Network;
        installation.sharedFolder = QDir::cleanPath(QDir(options.sharedFolder).absolutePath());
    }
    if (!options.postgres.isEmpty()) installation.ledger = Installation::Ledger::PostgreSQL;
    // The folder is its owner's alone before anything is put into it; an
    // existing one's files are tightened too, and told.
    const bool newFolder = !QFileInfo::exists(installation.programFolder);
    if (!QDir().mkpath(installation.programFolder) || (newFolder && !makeOwnerOnly(installation.programFolder))) {
        *message = QStringLiteral("The program folder %1 could not be created.").arg(installation.programFolder);
        return false;
    }
    QStringList tightened;
    QString error;
    if (!restrictModes(installation, &tightened, &error)) {
        *message = error;
        return false;
    }
    if (!installation.save()) {
        *message = QStringLiteral("The installation record %1 could not be written.").arg(installation.recordPath());
        return false;
    }
    if (!writeHelpFile(installation.helpFilePath(), &error)) {
        *message = error;
        return false;
    }
    if (installation.mode == Installation::Mode::Network) {
        if (!writeText(installation.driveScriptPath(), driveScript(installation.sharedFolder), &error)) {
            *message = error;
            return false;
        }
        QFile::setPermissions(installation.driveScriptPath(),
                              QFile::permissions(installation.driveScriptPath()) | QFileDevice::ExeOwner |
                                  QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }

    if (installation.ledger == Installation::Ledger::PostgreSQL) {
        return installOnPostgres(options, installation, tightened, message);
    }

    const QString database = installation.databasePath();
    // An empty file holds no ledger (a connection of an earlier version may
    // have left it behind): it is made into one, as a missing file would be.
    const bool emptyFile = QFileInfo(database).isFile() && QFileInfo(database).size() == 0;
    if (QFileInfo::exists(database) && !options.replaceDatabase && !emptyFile) {
        // Its rows are left as they are; indexes a later version looks up
        // by are added.
        if (!addMissingIndexes(database, &error)) {
            *message = QStringLiteral("The indexes of the database %1 could not be added: %2").arg(database, error);
            return false;
        }
        *message = QStringLiteral("The database %1 exists already and was left as it is "
                                  "(--force replaces it, losing its data).")
                       .arg(database);
        return options.keepExisting && setModes(installation, tightened, message);
    }
    if (!QFileInfo(database).absoluteDir().exists()) {
        *message = QStringLiteral("The folder of the database, %1, does not exist; mount the shared folder first.")
                       .arg(QFileInfo(database).absolutePath());
        return false;
    }
    if (!createDatabase(database, options.replaceDatabase || emptyFile, &error)) {
        *message = QStringLiteral("The database %1 could not be created: %2").arg(database, error);
        return false;
    }
    if (options.sampleData && !fillSampleLedger(database, SampleLedger{}, &error)) {
        *message = QStringLiteral("The sample ledger could not be written: %1").arg(error);
        return false;
    }
    if (options.sampleData && !writeSampleListFiles(installation.programFolder, &error)) {
        *message = QStringLiteral("The sample list files could not be written: %1").arg(error);
        return false;
    }
    *message = QStringLiteral("Mervalis is installed in %1; its database is %2.")
                   .arg(installation.programFolder, database);
    return setModes(installation, tightened, message);
}

namespace {

QString programFolderOf(const QString& programFolder)
{
    return programFolder.isEmpty() ? Installation::defaultProgramFolder() : programFolder;
}

}  // namespace

namespace {

// Backup and restore copy a SQLite file; a ledger on PostgreSQL has the
// server's own tools.
bool refuseOnPostgres(const QString& programFolder, QString* message)
{
    if (Installation::load(programFolder).ledger != Installation::Ledger::PostgreSQL) return false;
    *message = QStringLiteral("This installation's ledger is in a PostgreSQL database: back it up with "
                              "pg_dump --format=custom --file=mervalis.dump DBNAME and restore it with "
                              "pg_restore --clean --if-exists --dbname=DBNAME mervalis.dump. Nothing was changed.");
    return true;
}

}  // namespace

bool backupInstallation(const QString& programFolder, const QString& file, QString* message)
{
    if (refuseOnPostgres(programFolderOf(programFolder), message)) return false;
    return backupDatabase(Installation::load(programFolderOf(programFolder)).databasePath(), file, message);
}

bool restoreInstallation(const InstallOptions& options, const QString& file, QString* message)
{
    const QString folder = programFolderOf(options.programFolder);
    if (refuseOnPostgres(folder, message)) return false;
    const QString problem = ledgerProblem(file);
    if (!problem.isEmpty()) {
        *message = QStringLiteral("%1 is not a Mervalis ledger: %2. Nothing was changed.").arg(file, problem);
        return false;
    }
    if (!QFileInfo::exists(Installation::load(folder).recordPath())) {
        InstallOptions fresh = options;
        fresh.programFolder = folder;
        fresh.sampleData = false;
        fresh.replaceDatabase = false;
        fresh.keepExisting = true;
        if (!install(fresh, message)) return false;
    }
    // A database moved aside (a damaged one, say), or an empty file where it
    // should be, is made anew to restore into.
    const QString database = Installation::load(folder).databasePath();
    const QFileInfo found(database);
    const bool noLedger = !found.exists() || (found.isFile() && found.size() == 0);
    QString error;
    if (noLedger && !createDatabase(database, found.exists(), &error)) {
        *message = QStringLiteral("The database %1 could not be created: %2").arg(database, error);
        return false;
    }
    return restoreDatabase(file, database, message);
}

}  // namespace mervalis::setup
