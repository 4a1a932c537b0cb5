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

core::Status deleteShadesetFile(const QString &folder, const QString &name)
{
    if (const core::Status named = core::checkShadesetName(name); !named) {
        return named;
    }
    QFile file(shadesetPath(folder, name));
    if (!QFileInfo::exists(file.fileName())) {
        return core::fail(QStringLiteral("no such file"));
    }
    if (QFileInfo(file.fileName()).isDir()) {
        return core::fail(QStringLiteral("it is a folder"));
    }
    if (!file.remove()) {
        return core::fail(file.errorString());
    }
    return {};
}
