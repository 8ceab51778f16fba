#include "data/owner_only.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mervalis {

bool makeOwnerOnly(const QString& path, QString* error, bool* created)
{
    if (created) *created = false;
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    int rc;
    if (::stat(name.constData(), &info) == 0) {
        rc = ::chmod(name.constData(), S_ISDIR(info.st_mode) ? S_IRWXU : S_IRUSR | S_IWUSR);
    } else {
        // The mode is given at creation, so the file is never readable by
        // others, not even for a moment; the umask can only take bits away.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        rc = fd < 0 ? -1 : ::fchmod(fd, S_IRUSR | S_IWUSR);
        const int reason = errno;
        if (fd >= 0) {
            ::close(fd);
            if (created) *created = true;
        }
        errno = reason;
    }
    if (rc == 0) return true;
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool writeOwnerOnlyFile(const QString& path, const FileWriter& write, QString* error)
{
    // The temporary file takes the mode of the file it replaces.
    bool created = false;
    QString reason;
    if (makeOwnerOnly(path, &reason, &created)) {
        QSaveFile file(path);
        // commit() fails when any write failed; the temporary file then goes.
        if (file.open(QIODevice::WriteOnly) && write(file, &reason) && file.commit()) return true;
        if (reason.isEmpty()) reason = file.errorString();
        file.cancelWriting();
        if (created) QFile::remove(path);
    }
    if (error) *error = reason;
    return false;
}

}  // namespace mervalis
