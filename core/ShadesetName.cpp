#include "ShadesetName.h"

#include "Text.h"

#include <QStringList>

namespace core {
namespace {

// Windows keeps these for devices, with any extension: "con.txt" is the console too.
bool isReservedDevice(const QString &name)
{
    static const QStringList kDevices = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                         QStringLiteral("AUX"), QStringLiteral("NUL")};
    const QString stem = name.section(u'.', 0, 0).toUpper();
    if (kDevices.contains(stem)) {
        return true;
    }
    // COM0 to COM9 and LPT0 to LPT9, and the superscripts one to three that Windows reads
    // as digits there.
    return stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT")) &&
           QStringView(u"0123456789\u00b9\u00b2\u00b3").contains(stem[3]);
}

// Embeddings, overrides and isolates: a name holding one shows other than it is.
bool isBidiControl(char16_t c)
{
    return (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

Failure refuse(const QString &what)
{
    return fail(QStringLiteral("the shadeset name ") + what);
}

} // namespace

Status checkShadesetName(const QString &name)
{
    if (name.isEmpty()) {
        return refuse(QStringLiteral("is empty"));
    }
    if (name == u"." || name == u"..") {
        return refuse(QStringLiteral("cannot be \"%1\"").arg(name));
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (isControl(c)) {
            return refuse(QStringLiteral("cannot hold the control character ") + codePoint(c));
        }
        if (c == u'"') {
            return refuse(QStringLiteral("cannot hold a double quote"));
        }
        if (QStringView(u"/\\<>:|?*").contains(QChar(c))) {
            return refuse(QStringLiteral("cannot hold the character \"%1\"").arg(QChar(c)));
        }
        if (isBidiControl(c)) {
            return refuse(QStringLiteral("cannot hold the bidirectional control ") + codePoint(c));
        }
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i; // a character beyond the first plane
            continue;
        }
        if (c == 0xfffd || QChar::isSurrogate(c)) {
            return refuse(QStringLiteral("cannot hold bytes that are not UTF-8 (U+FFFD)"));
        }
    }
    if (name.endsWith(u' ')) {
        return refuse(QStringLiteral("cannot end in a blank"));
    }
    if (name.endsWith(u'.')) {
        return refuse(QStringLiteral("cannot end in a full stop"));
    }
    if (isReservedDevice(name)) {
        return refuse(QStringLiteral("\"%1\" is reserved for a device on Windows").arg(name));
    }
    if (name.compare(QLatin1String(kPaletteName), Qt::CaseInsensitive) == 0) {
        return refuse(QStringLiteral("\"%1\" is reserved for the palette").arg(name));
    }
    return {};
}

QString withoutShdSuffix(const QString &name)
{
    return name.endsWith(QLatin1String(".shd"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

} // namespace core
