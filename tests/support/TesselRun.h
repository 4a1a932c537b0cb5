#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tessel {
class Host;
class ShadeTable;
} // namespace tessel

// Runs the commands, separated by ";", through `host`: empty when all succeed, else the
// first failing command and its message.
QString run(tessel::Host &host, const QString &commands);
// The message with which `command` fails, or "succeeded".
QString refusal(tessel::Host &host, const QString &command);
// "symbol:r,g,b" for each defined symbol, in order.
QString describe(const tessel::ShadeTable &table);

// A program run to its end: its exit status (-1 when it did not end in time) and output.
struct Finished
{
    int status = -1;
    QByteArray out;
    QByteArray errors;
};

// Runs `program` with `args` in `folder` (empty: here), `input` on its standard input and
// `environment` ("NAME=value", or "NAME" to remove it) changed.
Finished runProgram(const QString &program, const QStringList &args, const QByteArray &input = {},
                    const QString &folder = {}, const QStringList &environment = {},
                    int timeoutMs = 60000);
// The same for the tesselcmd of the build.
Finished tesselcmd(const QStringList &args, const QByteArray &input = {},
                   const QString &folder = {}, const QStringList &environment = {});
