#include "Host.h"

#include "CommandLine.h"
#include "Export.h"
#include "Import.h"
#include "Script.h"
#include "ShdFile.h"
#include "core/Paths.h"
#include "core/SaveFile.h"
#include "core/ShadesetName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

Host::Host(const QString &ownFolder, const QString &workingFolder)
    : m_ownFolder(core::joinPath(QDir::currentPath(), ownFolder)),
      m_workingFolder(workingFolder.isEmpty() ? m_ownFolder
                                              : core::joinPath(QDir::currentPath(), workingFolder)),
      m_trace(qEnvironmentVariable("TESSEL_TRACE"))
{}

qint32 Host::RunCommand(const QString &text, Messages &messages)
{
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

Host::Outcome Host::execute(const QString &line, int depth)
{
    using Handler = Outcome (Host::*)(const QString &);
    struct Entry
    {
        const char *word;
        Handler handler;
    };
    static constexpr Entry kCommands[] = {
        {"&s", &Host::setVariable},           {"&wo", &Host::setWorkingFolder},
        {"shadeset", &Host::loadShadeset},    {"shadesymbol", &Host::selectSymbol},
        {"patch", &Host::drawPatch},          {"clear", &Host::clearDrawing},
        {"shadedelete", &Host::deleteShades}, {"shadecolorramp", &Host::colorRamp},
        {"shadesave", &Host::saveShadeset},   {"shadeexport", &Host::exportShades},
        {"shadelegend", &Host::drawLegend},   {"label", &Host::drawLabel},
    };
    const SplitLine split = splitFirstWord(line);
    if (split.word.isEmpty()) {
        return {StatusUnknownCommand, QStringLiteral("empty command")};
    }
    const QString word = split.word.toLower();
    if (word == QLatin1String("&r")) {
        return runScript(split.rest, depth);
    }
    for (const Entry &entry : kCommands) {
        if (word == QLatin1String(entry.word)) {
            return (this->*entry.handler)(split.rest);
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
    m_variables.insert(name, expandShow(rest.mid(equals + 1).trimmed()));
    return ok();
}

Host::Outcome Host::setWorkingFolder(const QString &rest)
{
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, QStringLiteral("&wo"), QStringLiteral("missing folder"));
    }
    m_workingFolder = core::joinPath(m_workingFolder, rest);
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
    const int end = static_cast<int>(rest.indexOf(QLatin1String(".zeb"), 0, Qt::CaseInsensitive));
    if (end < 0 || (end + 4 < rest.size() && !rest.at(end + 4).isSpace())) {
        return failure(StatusBadArguments, command, QStringLiteral("expected a .zeb script"));
    }
    const QString path = resolve(rest.left(end + 4).trimmed());
    if (m_scriptStack.contains(path)) {
        return failure(StatusScriptError, command, QStringLiteral("%1 calls itself").arg(path));
    }
    if (depth >= kMaxScriptDepth) {
        return failure(
            StatusScriptError, command,
            QStringLiteral("%1: scripts nested more than %2 deep").arg(path).arg(kMaxScriptDepth));
    }
    QFile file(path);
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        return failure(StatusFileError, command,
                       QStringLiteral("cannot open %1: not a file").arg(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(StatusFileError, command,
                       QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    }
    if (file.size() > kMaxScriptBytes) {
        return failure(StatusFileError, command, QStringLiteral("%1: larger than 1 MiB").arg(path));
    }
    const ScriptParse parsed = parseScript(file.read(kMaxScriptBytes + 1));
    if (!parsed.script) {
        return failure(StatusScriptError, command, path + QStringLiteral(" ") + parsed.error);
    }
    const Binding binding = bindArguments(parsed.script->parameters, rest.mid(end + 4));
    if (!binding.values) {
        return failure(StatusBadArguments, command, path + QStringLiteral(" ") + binding.error);
    }
    m_scriptStack.append(path);
    Outcome outcome;
    for (const ScriptLine &line : parsed.script->lines) {
        outcome =
            execute(substitute(line.text, parsed.script->parameters, *binding.values), depth + 1);
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
    ImportOptions options;
    options.choice = m_variables.value(QStringLiteral(".importramp"));
    const QString symbols = m_variables.value(QStringLiteral(".importsymbols"));
    if (!symbols.isEmpty()) {
        const std::optional<long long> n = parseInteger(symbols);
        if (!n || !ShadeTable::isSymbol(*n)) {
            return failure(StatusBadArguments, command,
                           QStringLiteral(".importsymbols must be a whole number from 1 to %1, "
                                          "not \"%2\"")
                               .arg(ShadeTable::kMaxSymbol)
                               .arg(symbols));
        }
        options.symbols = static_cast<int>(*n);
    }
    ShdReadResult read = readShadesetFile(resolve(rest), options);
    if (!read.shadeset) {
        return failure(StatusFileError, command, read.error);
    }
    m_table = std::move(read.shadeset->table);
    m_tableName = read.shadeset->name;
    return ok();
}

Host::Outcome Host::saveShadeset(const QString &rest)
{
    const QString command = QStringLiteral("shadesave");
    if (rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing shadeset name"));
    }
    const QString problem = core::shadesetNameProblem(rest);
    if (!problem.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("the shadeset name ") + problem);
    }
    if (!QDir().mkpath(m_workingFolder)) {
        return failure(StatusFileError, command,
                       QStringLiteral("cannot create folder %1").arg(m_workingFolder));
    }
    const QString error =
        writeShdFile(core::joinPath(m_workingFolder, rest + QStringLiteral(".shd")), rest, m_table);
    if (!error.isEmpty()) {
        return failure(StatusFileError, command, error);
    }
    m_tableName = rest;
    return ok();
}

Host::Outcome Host::exportShades(const QString &rest)
{
    const QString command = QStringLiteral("shadeexport");
    const SplitLine split = splitFirstWord(rest);
    const auto format = parseExportFormat(split.word);
    if (!format) {
        return failure(StatusBadArguments, command,
                       split.word.isEmpty()
                           ? QStringLiteral("expected FORMAT FILE")
                           : QStringLiteral("unknown format \"%1\" (cpt, gdal, qgis or paraview)")
                                 .arg(split.word));
    }
    if (split.rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("missing file name"));
    }
    const QString path = core::joinPath(m_workingFolder, split.rest);
    const QString name = m_tableName.isEmpty() ? QFileInfo(path).completeBaseName() : m_tableName;
    const ExportResult result = exportTable(*format, m_table, name);
    if (!result.error.isEmpty()) {
        return failure(StatusBadArguments, command, result.error);
    }
    const QString error = core::saveFile(path, result.bytes);
    if (!error.isEmpty()) {
        return failure(StatusFileError, command, error);
    }
    return ok();
}

} // namespace tessel
