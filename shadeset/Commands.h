#pragma once

#include "Folders.h"

#include <QString>
#include <QStringList>

// The command texts the window sends, one function per action, in the order sent.

// The shadeset shown at start-up, with 999 symbols, from the shades folder.
constexpr char kStartupShadeset[] = "elev999";

// Loading the window: the start-up shadeset displayed, then the palette made current.
QStringList loadCommands(const Folders &folders);
// Start-up, once the window has loaded: the host learns the base folder.
QString startPathCommand(const Folders &folders);
QString clearCommand();

// Display of the name typed: `ShdName` is the name less an exact ".shd" ending.
struct DisplayPlan
{
    QString ShdName;
    QString command;
};
DisplayPlan planDisplay(const Folders &folders, const QString &typedName, qint16 nSymbs);

// The Shadeset Browser: loading the picked file and reading its symbol total back, then,
// with that total, showing it.
QStringList browseLoadCommands(const QString &picked);
QString browseDisplayCommand(const Folders &folders, const QString &picked, qint16 count);
