#pragma once

#include <QString>

namespace mervalis::setup {

struct InstallOptions {
    QString programFolder;   // empty: $MERVALIS_HOME or the default
    QString sharedFolder;    // set: network installation
    bool sampleData = false;
    bool replaceDatabase = false;
    bool keepExisting = false;  // an existing database is left alone without an error
};

// Creates the program folder, the database (never over an existing one
// unless told), the help file, the installation record and, for a network
// installation, the drive-mounting script. `message` tells what was done or
// what failed.
bool install(const InstallOptions& options, QString* message);

// The commented mounting script of a network installation.
QString driveScript(const QString& sharedFolder);

}  // namespace mervalis::setup
