#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace mervalis {

// The ledger holds personal data: every file that holds any of it (the
// database, backups, exports, documents, the chart image) is for its owner
// alone, whatever the umask. Called before such a file is written: a missing
// file is created empty with mode 0600 (`created` tells), an existing one is
// tightened to 0600, and an existing folder to 0700. A file written after
// this keeps the mode (QFile and QSaveFile do). False, with the system's
// reason in `error`, when it cannot be done.
bool makeOwnerOnly(const QString& path, QString* error = nullptr, bool* created = nullptr);

// Writes a file of ledger data whole or not at all, the owner's alone from
// its first byte: `write` fills a temporary file beside `path` that replaces
// it once everything is written and on disk. On failure (a folder that
// cannot be written, a full disk, `write` returning false) `path` keeps what
// it held, a file made here for its mode goes again, and `error` says why:
// the reason `write` gave, else the system's.
using FileWriter = std::function<bool(QIODevice& file, QString* reason)>;
bool writeOwnerOnlyFile(const QString& path, const FileWriter& write, QString* error = nullptr);

}  // namespace mervalis
