#pragma once

#include "shadeset/Folders.h"

#include <QChar>
#include <QDir>
#include <QString>

class frmHuewright;

// The folders of the run, set once by Main: the base folder, the tools folder with the
// host scripts, and the shadeset folder. No trailing separator.
extern QString g_startPath;
extern QString g_ToolsDir;
extern QString g_shadeDir;

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

// Start-up, once the window has been given `folders`: sets the folder globals, loads the
// window by reaching for its Tessel control, tells the host its start path, shows the window.
void Main(frmHuewright &form, const Folders &folders);
