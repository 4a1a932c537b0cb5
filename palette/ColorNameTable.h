#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One recognised colour: its symbol in the palette shadeset colornames.shd and the texts
// that name it (the first is the one the colour lists offer).
struct ColorEntry
{
    qint16 symbol;
    const char *text;
    const char *secondText; // nullptr for most entries
};

constexpr int kColorEntries = 128;

// Ascending by symbol, 1 to 129; no entry names symbol 125.
extern const std::array<ColorEntry, kColorEntries> ColorNameTable;

// The symbol of the entry that accepts `text` exactly (case and blanks count), if any.
std::optional<qint16> FindColorIndex(const QString &text);

// The first text of every entry, in table order: what each colour list offers.
QStringList colorListNames();
