#pragma once

#include "tessel/formats/Formats.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <utility>

// What a tesselcmd command line asks for. Options may come in any order, before or after the
// files; "--" ends them, and "-" is standard input or output.
struct Options
{
    enum class Mode
    {
        Run,    // command files, or standard input
        Export, // --export FORMAT PALETTE ... OUT
        Check,  // --check PALETTE
        Relief, // --grid GRID --relief PALETTE OUT
        Help,
        Version
    };
    Mode mode = Mode::Run;
    QStringList files; // command files, or the palettes of --export, --check and --relief
    QString grid;      // --grid: read first, and fitted to by the exports
    const tessel::Format *format = nullptr;
    QString png;
    QSize size;
    bool json = false;
    QString equalize;                            // perceptual or lightness; empty: as read
    QList<std::pair<QString, QString>> settings; // NAME, VALUE, in order
    QString error;                               // a usage error: nothing is run

    // What the run reads and what it writes: no output may be an input.
    QStringList inputs() const;
    QStringList outputs() const;
};

extern const char *const kUsage;
// The help after the usage; %1 is the list of formats.
extern const char *const kHelp;

// The command line without the program's name.
Options parseOptions(const QStringList &args);

// Where output "-" goes.
constexpr char kStandardStream[] = "-";
