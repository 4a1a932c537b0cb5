#include "Paths.h"

#include <QDir>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace core {

bool isAbsolutePath(const QString &path)
{
    if (path.startsWith(QLatin1Char('/'))) {
        return true;
    }
#ifdef Q_OS_WIN
    if (path.startsWith(QLatin1Char('\\'))) {
        return true;
    }
    return path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
           (path[2] == QLatin1Char('/') || path[2] == QLatin1Char('\\'));
#else
    return false;
#endif
}

QString joinPath(const QString &folder, const QString &path)
{
    return QDir::cleanPath(isAbsolutePath(path) ? path : folder + QLatin1Char('/') + path);
}

bool isSameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    const QString one = QFileInfo(a).canonicalFilePath();
    return !one.isEmpty() &&
           one.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#else
    struct stat x
    {};
    struct stat y
    {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
#endif
}

} // namespace core
