#pragma once

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
