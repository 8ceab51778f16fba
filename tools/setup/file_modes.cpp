#include "setup/file_modes.h"

#include "data/installation.h"
#include "data/owner_only.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mervalis::setup {

namespace {

// A path's permission bits; -1 when it does not exist, or when it belongs to
// another user (another workstation's set-up sets its modes).
int modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
    if (info.st_uid != ::geteuid() && ::geteuid() != 0) return -1;
    return static_cast<int>(info.st_mode & 07777);
}

QString octal(int mode) { return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0')); }

// The database of a network installation, for the shared folder's group.
bool shareWithGroup(const QString& database, const QString& folder, QString* error)
{
    struct stat info {};
    const QByteArray name = QFile::encodeName(database);
    if (::stat(QFile::encodeName(folder).constData(), &info) == 0 &&
        ::chown(name.constData(), static_cast<uid_t>(-1), info.st_gid) == 0 &&
        ::chmod(name.constData(), S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP) == 0) {
        return true;
    }
    *error = QStringLiteral("The database %1 could not be made readable and writable by the group %2, which owns the "
                            "shared folder, alone: %3. Make it so by hand (chgrp %2 %1; chmod 660 %1).")
                 .arg(database, groupOf(folder), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

}  // namespace

QString groupOf(const QString& folder)
{
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0) return QString();
    const group* found = ::getgrgid(info.st_gid);
    return found ? QString::fromLocal8Bit(found->gr_name) : QString::number(info.st_gid);
}

bool restrictModes(const Installation& installation, QStringList* tightened, QString* error)
{
    const QString database = installation.databasePath();
    QStringList paths{installation.programFolder, installation.path(QStringLiteral("Mervalis.bmp"))};
    const QFileInfo db(database);
    for (const QFileInfo& kept : db.dir().entryInfoList({db.completeBaseName() + QStringLiteral("-replaced-*.db")},
                                                        QDir::Files)) {
        paths << kept.filePath();
    }
    paths << database;
    for (const QString& path : std::as_const(paths)) {
        const int before = modeOf(path);
        if (before < 0) continue;
        QString reason;
        if (installation.mode == Installation::Mode::Network && path == database) {
            if (!shareWithGroup(path, installation.sharedFolder, error)) return false;
        } else if (!makeOwnerOnly(path, &reason)) {
            *error = QStringLiteral("%1 could not be made its owner's alone: %2").arg(path, reason);
            return false;
        }
        if (modeOf(path) != before) {
            *tightened << QStringLiteral("%1 (%2 to %3)").arg(path, octal(before), octal(modeOf(path)));
        }
    }
    return true;
}

}  // namespace mervalis::setup
