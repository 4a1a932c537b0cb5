#pragma once

#include <QChar>
#include <QDir>
#include <QString>

class frmHuewright;

// The folders every part of the program uses, set once by Main: the base folder, the
// tools folder with the host scripts, and the shadeset folder. No trailing separator.
extern QString g_startPath;
extern QString g_ToolsDir;
extern QString g_shadeDir;
// The path last picked in the shadeset browser.
extern QString g_browsePath;

struct Folders
{
    QString startPath;
    QString toolsDir;
    QString shadeDir;
};

// Whether derived folders are lower-cased: only where the file system ignores case.
#ifdef Q_OS_WIN
constexpr bool kLowerCaseFolders = true;
#else
constexpr bool kLowerCaseFolders = false;
#endif

// The folders for a program in `programFolder` (native separators, none trailing): a
// program in a folder ending in tools, in any case, has its base one level up.
Folders deriveFolders(const QString &programFolder, bool lowerCase = kLowerCaseFolders,
                      QChar separator = QDir::separator());

// Start-up: sets the folder globals, loads the window by reaching for its Tessel control,
// tells the host its start path and shows the window.
void Main(frmHuewright &form, const QString &programFolder);
