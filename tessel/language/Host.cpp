#include "Host.h"

#include "CommandLine.h"
#include "Script.h"
#include "Settings.h"
#include "core/Paths.h"
#include "core/ReadFile.h"
#include "core/SaveFile.h"
#include "core/ShadesetName.h"
#include "tessel/formats/Export.h"
#include "tessel/formats/Import.h"
#include "tessel/table/ShdFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tessel {
namespace {

constexpr int kMaxScriptDepth = 8;
constexpr qint64 kMaxScriptBytes = 1024 * 1024;

bool isVariableName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".")) {
        return false;
    }
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || (i == 0 && c == QLatin1Char('.')))) {
            return false;
        }
    }
    return true;
}

} // namespace

Host::Host(const QString &ownFolder, const HostOptions &options)
    : m_ownFolder(core::joinPath(QDir::currentPath(), ownFolder)),
      m_workingFolder(options.workingFolder.isEmpty()
                          ? m_ownFolder
                          : core::joinPath(QDir::currentPath(), options.workingFolder)),
      m_gridLibrary(options.gridLibrary), m_commandLimit(options.commandLimit),
      m_trace(options.traceFile)
{}

Host::~Host() = default;

qint32 Host::RunCommand(const QString &text, Messages &messages)
{
    m_scriptCommands = 0;
    const Outcome outcome = execute(text, 0);
    if (outcome.status != StatusOk) {
        messages.add(outcome.message);
    }
    m_trace.run(outcome.status, text);
    return outcome.status;
}

QString Host::GetVariable(const QString &name)
{
    const QString value = m_variables.value(name);
    m_trace.get(name, value);
    return value;
}

Host::Outcome Host::failure(qint32 status, const QString &command, const QString &what)
{
    return {status, command + QStringLiteral(": ") + what};
}

const std::vector<Host::Command> &Host::commands()
{
    static const std::vector<Command> kCommands = {
        {"&s", &Host::setVariable},
        {"&wo", &Host::setWorkingFolder},
        {"shadeset", &Host::loadShadeset},
        {"shadesymbol", &Host::selectSymbol},
        {"patch", &Host::drawPatch},
        {"clear", &Host::clearDrawing},
        {"shadedelete", &Host::deleteShades},
        {"shadecolorramp", &Host::colorRamp},
        {"shadesave", &Host::saveShadeset},
        {"shadeexport", &Host::exportShades},
        {"shadelegend", &Host::drawLegend},
        {"label", &Host::drawLabel},
        {"shadeequalize", &Host::equalizeShades},
        {"shadereverse", &Host::reverseShades},
        {"grid", &Host::loadGrid},
        {"shadegrid", &Host::drawGrid},
        {"shadescale", &Host::drawScale},
    };
    return kCommands;
}

bool Host::isCommand(const QString &line)
{
    const QString word = splitFirstWord(line).word.toLower();
    return word == QLatin1String("&r") ||
           std::any_of(commands().begin(), commands().end(),
                       [&](const Command &c) { return word == QLatin1String(c.word); });
}

Host::Outcome Host::execute(const QString &line, int depth)
{
    const SplitLine split = splitFirstWord(line);
    if (split.word.isEmpty()) {
        return {StatusUnknownCommand, QStringLiteral("empty command")};
    }
    const QString word = split.word.toLower();
    if (word == QLatin1String("&r")) {
        return runScript(split.rest, depth);
    }
    for (const Command &command : commands()) {
        if (word == QLatin1String(command.word)) {
            return (this->*command.handler)(split.rest);
        }
    }
    return failure(StatusUnknownCommand, split.word, QStringLiteral("unknown command"));
}

Host::Outcome Host::setVariable(const QString &rest)
{
    const int equals = static_cast<int>(rest.indexOf(QLatin1Char('=')));
    if (equals < 0) {
        return failure(StatusBadArguments, QStringLiteral("&s"),
                       QStringLiteral("expected NAME = VALUE"));
    }
    const QString name = rest.left(equals).trimmed();
    if (!isVariableName(name)) {
        return failure(StatusBadArguments, QStringLiteral("&s"),
                       QStringLiteral("bad variable name \"%1\"").arg(name));
    }
    const QString value = expandShow(rest.mid(equals + 1).trimmed());
    if (const core::Status checked = checkSetting(name, value); !checked) {
        return failure(StatusBadArguments, QStringLiteral("&s"), checked.error());
    }
    m_variables.insert(name, value);
    return ok();
}

Host::Outcome Host::setWorkingFolder(const QString &rest)
{
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, QStringLiteral("&wo"), QStringLiteral("missing folder"));
    }
    // A folder that is not there is refused now, not at the save that would need it.
    const QString folder = core::joinPath(m_workingFolder, rest);
    const QFileInfo info(folder);
    if (!info.isDir()) {
        return failure(StatusFileError, QStringLiteral("&wo"),
                       info.exists() ? QStringLiteral("%1 is not a folder").arg(folder)
                                     : QStringLiteral("the folder %1 does not exist").arg(folder));
    }
    m_workingFolder = folder;
    return ok();
}

QString Host::resolve(const QString &file) const
{
    const QString inWorking = core::joinPath(m_workingFolder, file);
    if (core::isAbsolutePath(file) || QFileInfo::exists(inWorking)) {
        return inWorking;
    }
    const QString inOwn = core::joinPath(m_ownFolder, file);
    return QFileInfo::exists(inOwn) ? inOwn : inWorking;
}

QString Host::expandShow(const QString &text) const
{
    QString result = text;
    result.replace(QLatin1String("[show shadesymbol total]"), QString::number(m_table.total()));
    result.replace(QLatin1String("[show shadeset name]"), m_tableName);
    return result;
}

Host::Outcome Host::runScript(const QString &rest, int depth)
{
    const QString command = QStringLiteral("&r");
    // The script is the text up to its ".zeb", or a word in double quotes, which may hold
    // blanks; its arguments follow.
    const bool quoted = rest.startsWith(QLatin1Char('"'));
    const qsizetype close = quoted ? rest.indexOf(QLatin1Char('"'), 1) : -1;
    const qsizetype zeb = rest.indexOf(QLatin1String(".zeb"), 0, Qt::CaseInsensitive);
    const qsizetype after = quoted ? close + 1 : zeb < 0 ? -1 : zeb + 4;
    const QString file = quoted ? rest.mid(1, close - 1) : rest.left(after).trimmed();
    if (after <= 0 || !file.endsWith(QLatin1String(".zeb"), Qt::CaseInsensitive) ||
        (after < rest.size() && !rest.at(after).isSpace())) {
        return failure(StatusBadArguments, command, QStringLiteral("expected a .zeb script"));
    }
    const QString path = resolve(file);
    if (m_scriptStack.contains(path)) {
        return failure(StatusScriptError, command, QStringLiteral("%1 calls itself").arg(path));
    }
    if (depth >= kMaxScriptDepth) {
        return failure(
            StatusScriptError, command,
            QStringLiteral("%1: scripts nested more than %2 deep").arg(path).arg(kMaxScriptDepth));
    }
    const core::Result<QByteArray> bytes = core::readFileBytes(path, kMaxScriptBytes);
    if (!bytes) {
        return failure(StatusFileError, command, bytes.error());
    }
    const core::Result<Script> script = parseScript(*bytes);
    if (!script) {
        return failure(StatusScriptError, command, path + QStringLiteral(" ") + script.error());
    }
    const core::Result<QStringList> values = bindArguments(script->parameters, rest.mid(after));
    if (!values) {
        return failure(StatusBadArguments, command, path + QStringLiteral(" ") + values.error());
    }
    m_scriptStack.append(path);
    Outcome outcome;
    for (const ScriptLine &line : script->lines) {
        // Scripts that call scripts multiply: a bound on their work keeps a call finite.
        if (++m_scriptCommands > m_commandLimit) {
            outcome = failure(
                StatusScriptError, command,
                QStringLiteral("scripts ran more than %1 commands; stopped").arg(m_commandLimit));
        } else {
            outcome = execute(substitute(line.text, script->parameters, *values), depth + 1);
        }
        if (outcome.status != StatusOk) {
            outcome.message =
                QStringLiteral("%1 line %2: %3").arg(path).arg(line.number).arg(outcome.message);
            break;
        }
    }
    m_scriptStack.removeLast();
    return outcome;
}

Host::Outcome Host::loadShadeset(const QString &rest)
{
    const QString command = QStringLiteral("shadeset");
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing file name"));
    }
    core::Result<Shadeset> read = readShadesetFile(resolve(rest), importOptions(m_variables));
    if (!read) {
        return failure(StatusFileError, command, read.error());
    }
    m_table = std::move(read->table);
    m_tableName = read->name;
    m_values = std::move(read->values);
    m_hinge = read->hinge;
    return ok();
}

Host::Outcome Host::saveShadeset(const QString &rest)
{
    const QString command = QStringLiteral("shadesave");
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing shadeset name"));
    }
    if (const core::Status named = core::checkShadesetName(rest); !named) {
        return failure(StatusBadArguments, command, named.error());
    }
    // A failed load or a slip after "shadedelete ALL" must not wipe a good file.
    if (m_table.isEmpty()) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("the shade table is empty; nothing to save"));
    }
    const core::Status saved =
        writeShdFile(core::joinPath(m_workingFolder, rest + QStringLiteral(".shd")), rest, m_table);
    if (!saved) {
        return failure(StatusFileError, command, saved.error());
    }
    m_tableName = rest;
    return ok();
}

Host::Outcome Host::exportShades(const QString &rest)
{
    const QString command = QStringLiteral("shadeexport");
    const SplitLine split = splitFirstWord(rest);
    const Format *format = findFormat(split.word);
    if (!format) {
        return failure(
            StatusBadArguments, command,
            split.word.isEmpty()
                ? QStringLiteral("expected FORMAT FILE")
                : QStringLiteral("unknown format \"%1\" (%2)").arg(split.word, formatKeys()));
    }
    if (split.rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing file name"));
    }
    if (split.rest.endsWith(QLatin1Char('/')) || split.rest.endsWith(QDir::separator())) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("%1 names a folder, not a file").arg(split.rest));
    }
    const QString path = core::joinPath(m_workingFolder, split.rest);
    const core::Result<QByteArray> bytes = exportBytes(*format, path);
    if (!bytes) {
        return failure(StatusBadArguments, command, bytes.error());
    }
    if (const core::Status saved = core::saveFile(path, *bytes); !saved) {
        return failure(StatusFileError, command, saved.error());
    }
    return ok();
}

core::Result<QByteArray> Host::exportBytes(const Format &format, const QString &file)
{
    const QString name = m_tableName.isEmpty() ? QFileInfo(file).completeBaseName() : m_tableName;
    if (!m_grid || !format.writeFitted) {
        return exportTable(format, m_table, name);
    }
    const core::Result<Colouring> fitted = colouring(rowsOf(*m_grid), m_grid->info());
    if (!fitted) {
        return fitted.failure();
    }
    std::vector<FittedClass> classes;
    for (int i = 0; i < fitted->classes.count(); ++i) {
        classes.push_back(
            {fitted->classes.lower(i), fitted->classes.upper(i), fitted->colours[std::size_t(i)]});
    }
    return exportFitted(format, classes, name);
}

} // namespace tessel
