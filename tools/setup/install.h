#pragma once

#include <QString>

namespace mervalis::setup {

struct InstallOptions {
    QString programFolder;   // empty: $MERVALIS_HOME or the default
    QString sharedFolder;    // set: network installation
    bool sampleData = false;
    bool replaceDatabase = false;
    bool keepExisting = false;  // an existing database is left alone without an error
    QString postgres;        // set: the ledger lives in this PostgreSQL database (libpq connection text)
};

// Creates the program folder, the database (never over an existing one
// unless told), the help file, the installation record and, for a network
// installation, the drive-mounting script. `message` tells what was done or
// what failed. With `postgres` the ledger's tables are made in that
// PostgreSQL database instead (tables there already are used as they are:
// the next workstation joins the ledger) and the data source "Mervalis" is
// registered on the PostgreSQL Unicode driver.
bool install(const InstallOptions& options, QString* message);

// Backs up the database of the installation in `programFolder` (empty: the
// default program folder) to `file`; see backupDatabase().
bool backupInstallation(const QString& programFolder, const QString& file, QString* message);

// Restores the ledger in `file` into the installation of
// `options.programFolder`; where there is no installation yet, one is made
// first as `options` say (a fresh program folder gets an empty database,
// then the restored records). See restoreDatabase().
bool restoreInstallation(const InstallOptions& options, const QString& file, QString* message);

// The commented mounting script of a network installation.
QString driveScript(const QString& sharedFolder);

}  // namespace mervalis::setup
