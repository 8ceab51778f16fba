#pragma once

#include <QString>

namespace mervalis {

// The ledger holds personal data: every file that holds any of it (the
// database, backups, exports, documents, the chart image) is for its owner
// alone, whatever the umask. Called before such a file is written: a missing
// file is created empty with mode 0600 (`created` tells), an existing one is
// tightened to 0600, and an existing folder to 0700. A file written after
// this keeps the mode (QFile and QSaveFile do). False, with the system's
// reason in `error`, when it cannot be done.
bool makeOwnerOnly(const QString& path, QString* error = nullptr, bool* created = nullptr);

}  // namespace mervalis
