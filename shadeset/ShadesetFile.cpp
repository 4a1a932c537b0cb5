#include "ShadesetFile.h"

#include "core/ShadesetName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString shadesetPath(const QString &folder, const QString &name)
{
    return folder + QDir::separator() + name + QStringLiteral(".shd");
}

bool shadesetFileExists(const QString &folder, const QString &name)
{
    // Only a file counts; opening a pipe would wait for a writer.
    QFile file(shadesetPath(folder, name));
    if (!QFileInfo(file.fileName()).isFile()) {
        return false;
    }
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}

QString deleteShadesetFile(const QString &folder, const QString &name)
{
    const QString problem = core::shadesetNameProblem(name);
    if (!problem.isEmpty()) {
        return QStringLiteral("the shadeset name ") + problem;
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
