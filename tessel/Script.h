#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tessel {

struct ScriptLine
{
    int number = 0; // 1-based line of the file
    QString text;
};

// A .zeb script: its parameters and the command lines after them, comments and blank
// lines left out.
struct Script
{
    QStringList parameters;
    QList<ScriptLine> lines;
};

struct ScriptParse
{
    std::optional<Script> script;
    QString error;
};

ScriptParse parseScript(const QByteArray &bytes);

struct Binding
{
    std::optional<QStringList> values; // one per parameter
    QString error;
};

// Binds blank-separated argument words from the right: every parameter but the first takes
// one word, the first takes all that are left, joined by single blanks. A word in double
// quotes may hold blanks ("my relief" is one word).
Binding bindArguments(const QStringList &parameters, const QString &arguments);

// Replaces %NAME% by the value of parameter NAME.
QString substitute(const QString &line, const QStringList &parameters, const QStringList &values);

} // namespace tessel
