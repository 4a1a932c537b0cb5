#include "Commands.h"

#include "core/zeb_func.h"
#include "palette/Preview.h"

#include <QDir>

namespace {

QString scriptCommand(const Folders &folders, const char *script)
{
    return QStringLiteral("&r ") + folders.toolsDir + QDir::separator() + QLatin1String(script) +
           QLatin1Char(' ');
}

} // namespace

QStringList loadCommands(const Folders &folders)
{
    return {scriptCommand(folders, "dispshd.zeb") + folders.startPath + QLatin1Char(' ') +
                QLatin1String(kStartupShadeset) + QStringLiteral(" 999"),
            paletteCommand()};
}

QString startPathCommand(const Folders &folders)
{
    return QStringLiteral("&s .startpath = ") + folders.startPath;
}

QString clearCommand()
{
    return QStringLiteral("clear");
}

DisplayPlan planDisplay(const Folders &folders, const QString &typedName, qint16 nSymbs)
{
    DisplayPlan plan;
    plan.ShdName = EndsWith(typedName, QStringLiteral(".shd")) ? typedName.chopped(4) : typedName;
    // A name with blanks goes in quotes: unquoted, the script would take its first words for
    // the end of the base folder.
    const QString name = plan.ShdName.contains(QLatin1Char(' '))
                             ? QLatin1Char('"') + plan.ShdName + QLatin1Char('"')
                             : plan.ShdName;
    plan.command = scriptCommand(folders, "dispshd.zeb") + folders.startPath + QLatin1Char(' ') +
                   name + QLatin1Char(' ') + QString::number(nSymbs);
    return plan;
}

QStringList browseLoadCommands(const QString &picked)
{
    return {QStringLiteral("shadeset ") + picked,
            QStringLiteral("&s symb = [show shadesymbol total]")};
}

QString browseDisplayCommand(const Folders &folders, const QString &picked, qint16 count)
{
    return scriptCommand(folders, "disp_old_shd.zeb") + picked + QLatin1Char(' ') +
           QString::number(count);
}
