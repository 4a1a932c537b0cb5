#include "Folders.h"

#include "core/zeb_func.h"

Folders deriveFolders(const QString &programFolder, bool lowerCase, QChar separator)
{
    QString folder = lowerCase ? programFolder.toLower() : programFolder;
    while (folder.endsWith(separator)) { // a root folder: its subfolders hang off the root
        folder.chop(1);
    }
    const QString tools = QString(separator) + QStringLiteral("tools");
    Folders folders;
    folders.startPath =
        EndsWith(folder.toLower(), tools) ? folder.left(folder.size() - tools.size()) : folder;
    folders.shadeDir = folders.startPath + separator + QStringLiteral("shades");
    folders.toolsDir = folders.startPath + tools;
    folders.tesselDir = programFolder;
    return folders;
}
