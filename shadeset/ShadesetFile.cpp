#include "ShadesetFile.h"

#include "ShadesetName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString shadesetPath(const QString &folder, const QString &name)
{
    return folder + QDir::separator() + name + QStringLiteral(".shd");
}

bool shadesetFileExists(const QString &folder, const QString &name)
{
    QFile file(shadesetPath(folder, name));
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}

QString deleteShadesetFile(const QString &folder, const QString &name)
{
    if (!isShadesetFileName(name) && !name.isEmpty()) {
        return QStringLiteral("\"%1\" is not a shadeset name").arg(name);
    }
    QFile file(shadesetPath(folder, name));
    if (!QFileInfo::exists(file.fileName())) {
        return QStringLiteral("no such file");
    }
    if (QFileInfo(file.fileName()).isDir()) {
        return QStringLiteral("it is a folder");
    }
    if (!file.remove()) {
        return file.errorString();
    }
    return QString();
}
