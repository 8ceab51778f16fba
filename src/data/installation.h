#pragma once

#include <QString>

namespace mervalis {

// Where the program keeps its files and how it is installed. The program
// folder is $MERVALIS_HOME when set, else ~/.local/share/Mervalis; it holds
// the list files, the help file, the chart image and, on a single machine,
// the database. A network installation keeps the database in a shared folder
// mounted at a path the installation records.
struct Installation {
    enum class Mode { SingleMachine, Network };
    // Where the ledger lives: a SQLite file, or a PostgreSQL database that
    // the data source names (several workstations; no file of ours).
    enum class Ledger { SQLiteFile, PostgreSQL };

    QString programFolder;
    Mode mode = Mode::SingleMachine;
    Ledger ledger = Ledger::SQLiteFile;
    QString sharedFolder;  // network only: where the shared folder is mounted

    static QString defaultProgramFolder();
    // Reads the installation record of a program folder; a folder without one
    // is a single-machine installation.
    static Installation load(const QString& programFolder = defaultProgramFolder());
    bool save() const;

    QString path(const QString& fileName) const;
    QString databasePath() const;
    QString recordPath() const { return path(QStringLiteral("installation.ini")); }
    QString driveScriptPath() const { return path(QStringLiteral("Qdrive.sh")); }
    QString helpFilePath() const { return path(QStringLiteral("Mervalis.html")); }
};

}  // namespace mervalis
