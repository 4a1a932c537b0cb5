#include "TesselRun.h"

#include "tessel/language/Host.h"

#include <QProcess>

QString run(tessel::Host &host, const QString &commands)
{
    for (const QString &command : commands.split(QLatin1Char(';'))) {
        tessel::Messages messages;
        if (host.RunCommand(command, messages) != tessel::StatusOk) {
            return command + QStringLiteral(" -> ") + messages.last();
        }
    }
    return QString();
}

QString refusal(tessel::Host &host, const QString &command)
{
    tessel::Messages messages;
    return host.RunCommand(command, messages) == tessel::StatusOk ? QStringLiteral("succeeded")
                                                                  : messages.last();
}

QString describe(const tessel::ShadeTable &table)
{
    QStringList symbols;
    for (int s = 1; s <= table.total(); ++s) {
        if (const std::optional<tessel::Rgb> c = table.color(s)) {
            symbols << QStringLiteral("%1:%2,%3,%4").arg(s).arg(c->red).arg(c->green).arg(c->blue);
        }
    }
    return symbols.join(QLatin1Char(' '));
}

Finished runProgram(const QString &program, const QStringList &args, const QByteArray &input,
                    const QString &folder, const QStringList &environment, int timeoutMs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &setting : environment) {
        setting.contains(QLatin1Char('=')) ? env.insert(setting.section(QLatin1Char('='), 0, 0),
                                                        setting.section(QLatin1Char('='), 1))
                                           : env.remove(setting);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(timeoutMs);
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

Finished tesselcmd(const QStringList &args, const QByteArray &input, const QString &folder,
                   const QStringList &environment)
{
    return runProgram(QStringLiteral(TESSELCMD), args, input, folder, environment);
}
