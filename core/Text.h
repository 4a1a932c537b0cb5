#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace core {

// The bytes of a text file as UTF-8, ready for the readers: a UTF-8 byte order mark is
// dropped, and UTF-16 (known by its mark) is converted. Anything else is given back as it is.
QByteArray utf8Text(const QByteArray &bytes);

// A name read from a file: UTF-8 where the bytes are UTF-8, else Windows-1252, as the old
// files that are not UTF-8 are written.
QString decodeName(QByteArrayView bytes);

// Whether `c` is a control character: C0, DEL or C1.
bool isControl(char16_t c);
// "U+001B"
QString codePoint(char16_t c);
// The place of the first control character in `text`, or -1.
qsizetype firstControl(const QString &text);
// `text` with each control character shown as \xNN, so that nothing raw reaches a terminal
// or a line of a file.
QString printable(const QString &text);

} // namespace core
