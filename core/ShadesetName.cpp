#include "ShadesetName.h"

#include <QStringList>

namespace core {
namespace {

bool isReservedDevice(const QString &stem)
{
    static const QStringList kDevices = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                         QStringLiteral("AUX"), QStringLiteral("NUL")};
    const QString upper = stem.toUpper();
    if (kDevices.contains(upper)) {
        return true;
    }
    return upper.size() == 4 &&
           (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT"))) &&
           upper[3] >= QLatin1Char('1') && upper[3] <= QLatin1Char('9');
}

} // namespace

QString shadesetNameProblem(const QString &name)
{
    if (name.isEmpty()) {
        return QStringLiteral("is empty");
    }
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        return QStringLiteral("cannot be \"%1\"").arg(name);
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return QStringLiteral("cannot hold the control character U+%1")
                .arg(
                    QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        }
        if (QStringView(u"/\\<>:\"|?*").contains(c)) {
            return c == QLatin1Char('"')
                       ? QStringLiteral("cannot hold a double quote")
                       : QStringLiteral("cannot hold the character \"%1\"").arg(c);
        }
    }
    if (name.endsWith(QLatin1Char(' '))) {
        return QStringLiteral("cannot end in a blank");
    }
    if (name.endsWith(QLatin1Char('.'))) {
        return QStringLiteral("cannot end in a full stop");
    }
    // Windows keeps these for devices, with any extension: "con.txt" is the console too.
    if (isReservedDevice(name.section(QLatin1Char('.'), 0, 0))) {
        return QStringLiteral("\"%1\" is reserved for a device on Windows").arg(name);
    }
    if (name.compare(QLatin1String("colornames"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("\"%1\" is reserved for the palette").arg(name);
    }
    return QString();
}

} // namespace core
