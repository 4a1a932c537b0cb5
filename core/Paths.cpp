#include "Paths.h"

#include <QDir>

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

} // namespace core
