#pragma once

#include "Messages.h"
#include "Trace.h"
#include "core/Result.h"
#include "tessel/colour/Check.h"
#include "tessel/grid/Grid.h"
#include "tessel/grid/Map.h"
#include "tessel/table/Drawing.h"
#include "tessel/table/ShadeTable.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace tessel {

struct Format;

// Statuses of RunCommand: 0 is success.
enum Status : qint32
{
    StatusOk = 0,
    StatusUnknownCommand = 1,
    StatusBadArguments = 2,
    StatusFileError = 3,
    StatusScriptError = 4,
};

// How the owner of a host sets it up.
struct HostOptions
{
    QString workingFolder; // where the working folder starts; empty: the own folder
    QString traceFile;     // where calls are traced (TESSEL_TRACE); empty: nowhere
    // How many commands one call may run through scripts that call scripts.
    qint64 commandLimit = 10'000'000;
    // Where grids are read; none: the grid library beside the program, loaded when a grid is
    // first used.
    const GridLibrary *gridLibrary = nullptr;
};

// The Tessel host: runs command lines and scripts, holds the shade table and the drawing.
// A failing command changes nothing and leaves one message saying why.
class Host
{
public:
    // `ownFolder` is the control's own folder: relative shadeset and script files are looked
    // up there after the working folder.
    explicit Host(const QString &ownFolder, const HostOptions &options = {});
    ~Host();

    qint32 RunCommand(const QString &text, Messages &messages);
    // Whether the first word of `line` is a command.
    static bool isCommand(const QString &line);
    QString GetVariable(const QString &name);
    // The current table as `format` would write it into `file`, as shadeexport does: an
    // unnamed table is named after the file's stem; with a grid, fitted to its data.
    core::Result<QByteArray> exportBytes(const Format &format, const QString &file);
    // The grid (grid FILE) at its own size, in the current table's colours, as an RGBA GeoTIFF
    // at `path`, written in blocks through the one save function.
    core::Status writeRelief(const QString &path);
    bool hasGrid() const { return m_grid != nullptr; }
    // How the grid's cells spread over the table `report` checks (the current one), under the
    // classes in force and under equalized ones.
    core::Result<DataSpread> dataSpread(const CheckReport &report);
    // The table on display in `shown` (its last legend) becomes the current table, with the
    // values it stands for where `shown`'s current table is that one.
    core::Status takeShown(const Host &shown);

    const Drawing &drawing() const { return m_drawing; }
    const ShadeTable &shadeTable() const { return m_table; }
    const QString &shadesetName() const { return m_tableName; }
    const QString &workingFolder() const { return m_workingFolder; }

private:
    struct Outcome
    {
        qint32 status = StatusOk;
        QString message;
    };
    static Outcome ok() { return {}; }
    static Outcome failure(qint32 status, const QString &command, const QString &what);

    struct Command
    {
        const char *word;
        Outcome (Host::*handler)(const QString &rest);
    };
    static const std::vector<Command> &commands(); // all but "&r", which takes the depth

    Outcome execute(const QString &line, int depth);

    Outcome setVariable(const QString &rest);
    Outcome setWorkingFolder(const QString &rest);
    Outcome runScript(const QString &rest, int depth);
    Outcome loadShadeset(const QString &rest);
    Outcome selectSymbol(const QString &rest);
    Outcome drawPatch(const QString &rest);
    Outcome clearDrawing(const QString &rest);
    Outcome deleteShades(const QString &rest);
    Outcome colorRamp(const QString &rest);
    Outcome equalizeShades(const QString &rest);
    Outcome reverseShades(const QString &rest);
    Outcome saveShadeset(const QString &rest);
    Outcome exportShades(const QString &rest);
    Outcome drawLegend(const QString &rest);
    Outcome drawLabel(const QString &rest);
    Outcome loadGrid(const QString &rest);
    Outcome drawGrid(const QString &rest);
    Outcome drawScale(const QString &rest);

    // The current table over the grid's values as `rows` give them, as the grid variables
    // ask: classes, colours and light.
    core::Result<Colouring> colouring(const Rows &rows, const GridInfo &info,
                                      std::optional<bool> equalized = std::nullopt);

    // A relative file is looked up in the working folder, then in the own folder; it is
    // never taken from the process's current folder.
    QString resolve(const QString &file) const;
    QString expandShow(const QString &text) const;

    QString m_ownFolder;
    QString m_workingFolder;
    ShadeTable m_table;
    QString m_tableName;
    // The values the table's symbols stand for, where it was read from a palette of data
    // values (symbol k: m_values[k - 1]), and its hinge among them.
    std::vector<double> m_values;
    std::optional<double> m_hinge;
    const GridLibrary *m_gridLibrary;
    std::unique_ptr<GridSource> m_grid;
    std::optional<Colouring> m_drawn; // the grid last drawn, which a scale shows
    std::optional<Rgb> m_fill;
    Drawing m_drawing;
    QHash<QString, QString> m_variables;
    QStringList m_scriptStack;
    qint64 m_commandLimit;
    qint64 m_scriptCommands = 0; // run by scripts in this call
    Trace m_trace;
};

} // namespace tessel
