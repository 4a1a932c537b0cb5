#include "Text.h"

#include <QStringDecoder>

namespace core {
namespace {

// Windows-1252 where it is not Latin-1: 0x80 to 0x9F (0: no character there, kept as the
// C1 control it is in Latin-1).
constexpr char16_t kWindows1252[32] = {
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178,
};

} // namespace

QByteArray utf8Text(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return bytes.sliced(3);
    }
    const bool little = bytes.startsWith("\xFF\xFE");
    if (!little && !bytes.startsWith("\xFE\xFF")) {
        return bytes;
    }
    QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                          QStringConverter::Flag::Stateless);
    return QString(decode(QByteArrayView(bytes).sliced(2))).toUtf8();
}

QString decodeName(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString name = utf8(bytes);
    if (!utf8.hasError()) {
        return name;
    }
    name.clear();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char16_t mapped = b >= 0x80 && b < 0xa0 ? kWindows1252[b - 0x80] : 0;
        name.append(QChar(mapped ? mapped : char16_t(b)));
    }
    return name;
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

QString codePoint(char16_t c)
{
    return QStringLiteral("U+%1").arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
}

qsizetype firstControl(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isControl(text[i].unicode())) {
            return i;
        }
    }
    return -1;
}

QString printable(const QString &text)
{
    if (firstControl(text) < 0) {
        return text;
    }
    QString out;
    for (const QChar c : text) {
        out += isControl(c.unicode()) ? QStringLiteral("\\x") +
                                            QString::number(c.unicode(), 16).rightJustified(2, u'0')
                                      : QString(c);
    }
    return out;
}

} // namespace core
