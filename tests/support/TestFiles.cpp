#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

bool copyInstallTree(const QString &base)
{
    for (const char *file : {"tools/dispshd.zeb", "tools/disp_old_shd.zeb", "tools/colornames.shd",
                             "tools/terrain.tif", "shades/elev999.shd"}) {
        const QString target = base + QLatin1Char('/') + QLatin1String(file);
        if (!QDir().mkpath(QFileInfo(target).path()) ||
            !QFile::copy(QStringLiteral(HUEWRIGHT_STAGE "/") + QLatin1String(file), target)) {
            return false;
        }
    }
    return true;
}
