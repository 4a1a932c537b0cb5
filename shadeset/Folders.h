#pragma once

#include <QChar>
#include <QDir>
#include <QString>

// Where everything lies, with the platform's separators and none trailing: the base folder,
// the tools folder with the host scripts, the shadeset folder, and Tessel's own folder (the
// program's, where it finds the palette).
struct Folders
{
    QString startPath;
    QString toolsDir;
    QString shadeDir;
    QString tesselDir;
};

// Whether derived folders are lower-cased: only where the file system ignores case.
#ifdef Q_OS_WIN
constexpr bool kLowerCaseFolders = true;
#else
constexpr bool kLowerCaseFolders = false;
#endif

// The folders for a program in `programFolder` (native separators, none trailing): a
// program in a folder ending in tools, in any case, has its base one level up. Tessel's own
// folder is the program's folder as given.
Folders deriveFolders(const QString &programFolder, bool lowerCase = kLowerCaseFolders,
                      QChar separator = QDir::separator());
