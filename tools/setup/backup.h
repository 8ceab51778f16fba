#pragma once

#include <QString>

namespace mervalis::setup {

// Copies the SQLite ledger `database` into `file` with SQLite's online
// backup: the copy holds one committed state of the ledger even while the
// program has it open and is adding sales. It goes to a temporary file
// beside `file` that takes its name only once complete, so `file` is never
// left half written. `message` tells what was done or what failed.
bool backupDatabase(const QString& database, const QString& file, QString* message);

// What keeps `file` from being a Mervalis ledger (not an SQLite database,
// damaged, a table or a column of the three tables missing or foreign);
// empty when it is one.
QString ledgerProblem(const QString& file);

// Replaces the ledger held in `database` by the one in `file`, after
// checking that `file` is a Mervalis ledger. The replaced records, if any,
// are kept beside the database in "Mervalis-replaced-<date>-<time>.db" (set
// in `keptFile`). Everything happens in one transaction of the database, so
// the program, open or not, sees either the old ledger or the restored one.
// Refuses, changing nothing, while another connection is writing to the
// database.
bool restoreDatabase(const QString& file, const QString& database, QString* message, QString* keptFile = nullptr);

}  // namespace mervalis::setup
