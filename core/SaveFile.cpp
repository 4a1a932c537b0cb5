#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QSaveFile>

#include <windows.h>
#else
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace core {
namespace {

Failure cannotWrite(const QString &path, const QString &reason)
{
    return fail(QStringLiteral("cannot write %1: %2").arg(path, reason));
}

} // namespace

#ifdef Q_OS_WIN

Status saveFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile renames even when its last flush failed: flush first, and check it.
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) {
        return cannotWrite(path, qt_error_string(ERROR_ACCESS_DENIED));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        return cannotWrite(path, file.errorString());
    }
    return {};
}

Status saveFileBy(const QString &path, const std::function<Status(const QString &)> &write)
{
    const QString temporary = path + QStringLiteral(".saving");
    if (const Status written = write(temporary); !written) {
        QFile::remove(temporary);
        return cannotWrite(path, written.error());
    }
    if (!MoveFileExW(reinterpret_cast<const wchar_t *>(temporary.utf16()),
                     reinterpret_cast<const wchar_t *>(path.utf16()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        QFile::remove(temporary);
        return cannotWrite(path, qt_error_string(int(GetLastError())));
    }
    return {};
}

#else

namespace {

// The file that `path` names through any symbolic links.
QString linkedFile(const QString &path)
{
    QString file = path;
    for (int hops = 0; hops < 40 && QFileInfo(file).isSymLink(); ++hops) {
        file = QFileInfo(file).symLinkTarget();
    }
    return file;
}

// Writes all of `bytes` to `fd`, syncs (a file) and closes it: the error of the first step
// that fails, or 0. The descriptor is closed in every case.
int writeSyncClose(int fd, const QByteArray &bytes, bool sync = true)
{
    int error = 0;
    const char *next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0 && error == 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written > 0) {
            next += written;
            left -= written;
        } else if (written == 0 || errno != EINTR) {
            error = written == 0 ? EIO : errno;
        }
    }
    if (error == 0 && sync && ::fdatasync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Whether the file may be written by this user, as its mode says. A rename would replace it
// whatever its mode, so the mode is asked first; root is held to it too, since root passes
// every access() test.
bool mayWrite(const QByteArray &target, const struct stat &info)
{
    if (::geteuid() != 0) {
        return ::access(target.constData(), W_OK) == 0;
    }
    const mode_t bit = info.st_uid == 0 ? S_IWUSR : info.st_gid == ::getegid() ? S_IWGRP : S_IWOTH;
    return (info.st_mode & bit) != 0;
}

// Syncs the folder so that the rename itself outlives a crash. The new file is in place
// already, so a failure here changes nothing the user could act on.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Puts a new file in place of the one `path` names: `fill` writes the new, empty file
// `temporary` (open as `fd`), syncs and closes it, and says why it could not, if it could not.
Status replace(const QString &path,
               const std::function<QString(int fd, const QByteArray &temporary)> &fill)
{
    const QByteArray target = QFile::encodeName(linkedFile(path));
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).path());
    struct stat old
    {};
    const bool replacing = ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && !mayWrite(target, old)) {
        return cannotWrite(path, qt_error_string(EACCES));
    }
    // A short hidden name, so that any name that fits the folder leaves room for it.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder + "/.saving-" +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return cannotWrite(path, qt_error_string(errno));
    }
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777); // the new file keeps the old one's permissions
    }
    QString why = fill(fd, temp);
    if (why.isEmpty() && ::rename(temp.constData(), target.constData()) != 0) {
        why = qt_error_string(errno);
    }
    if (!why.isEmpty()) {
        ::unlink(temp.constData());
        return cannotWrite(path, why);
    }
    syncFolder(folder);
    return {};
}

} // namespace

Status saveFile(const QString &path, const QByteArray &bytes)
{
    // A device or a pipe, such as /dev/stdout, holds no old file to keep: it is written to.
    struct stat named
    {};
    if (::stat(QFile::encodeName(path).constData(), &named) == 0 && !S_ISREG(named.st_mode) &&
        !S_ISDIR(named.st_mode)) {
        // Opened without waiting (a pipe with no reader fails at once), then written as usual.
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        }
        const int error = fd < 0 ? errno : writeSyncClose(fd, bytes, false);
        return error == 0 ? Status() : cannotWrite(path, qt_error_string(error));
    }
    return replace(path, [&](int fd, const QByteArray &) {
        const int error = writeSyncClose(fd, bytes);
        return error == 0 ? QString() : qt_error_string(error);
    });
}

Status saveFileBy(const QString &path, const std::function<Status(const QString &)> &write)
{
    return replace(path, [&](int fd, const QByteArray &temporary) {
        const Status written = write(QFile::decodeName(temporary));
        const int error = !written ? 0 : writeSyncClose(fd, {});
        if (!written) {
            ::close(fd);
        }
        return !written ? written.error() : error == 0 ? QString() : qt_error_string(error);
    });
}

#endif

} // namespace core
