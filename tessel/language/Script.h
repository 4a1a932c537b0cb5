#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

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

core::Result<Script> parseScript(const QByteArray &bytes);

// Binds blank-separated argument words from the right, one value per parameter: every
// parameter but the first takes one word, the first takes all that are left, joined by
// single blanks. A word in double quotes may hold blanks ("my relief" is one word).
core::Result<QStringList> bindArguments(const QStringList &parameters, const QString &arguments);

// Replaces %NAME% by the value of parameter NAME.
QString substitute(const QString &line, const QStringList &parameters, const QStringList &values);

} // namespace tessel
