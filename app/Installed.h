#pragma once

#include "shadeset/Folders.h"

#include <QString>

#include <optional>

// What the command line asks before any window opens: "--help" (or "-h") prints the usage
// and "--version" the version; anything else is refused with the usage, status 2. The exit
// status when it asked for anything.
std::optional<int> answerCommandLine(int argc, char *argv[]);

// The folders of the program in `programFolder`. Installed as a system package, it lies in
// <prefix>/bin beside <prefix>/share/huewright, which holds the scripts and palette in tools/
// and the start-up shadeset in shades/; it then works in `userBase`, the user's own base
// folder, whose shades folder it makes and seeds with the start-up shadeset on first start,
// and only reads what was installed. Anywhere else the folders lie beside the program
// (deriveFolders).
Folders startupFolders(const QString &programFolder, const QString &userBase);
