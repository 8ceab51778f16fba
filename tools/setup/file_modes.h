#pragma once

#include <QString>
#include <QStringList>

namespace mervalis {
struct Installation;
}

namespace mervalis::setup {

// The modes an installation's files must have: the program folder (0700) and
// the files in it and beside the database that hold ledger data (the chart
// image, copies of replaced ledgers: 0600) are their owner's alone; the
// database too on a single machine, while a network installation's database
// is read and written by the group that owns the shared folder, and by no one
// else (0660). Files of another user are left to that user's set-up. Each
// path whose mode this changed is listed in `tightened` with its old and new
// mode. False, with the reason, when a mode could not be set.
bool restrictModes(const Installation& installation, QStringList* tightened, QString* error);

// The group that owns a folder, by name (its number when it has none).
QString groupOf(const QString& folder);

}  // namespace mervalis::setup
