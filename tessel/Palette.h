#pragma once

#include "ColorSpaces.h"
#include "ShadeTable.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace tessel {

// A palette read from another program's file.
struct Palette
{
    QString name; // the file's own name for it; empty when it has none
    // A palette keyed by Tessel's whole symbol numbers, as Tessel exports them: exactly
    // these symbols. Otherwise a colour for each z from zmin to zmax, to be sampled.
    std::optional<ShadeTable> keyed;
    double zmin = 0;
    double zmax = 0;
    std::function<std::optional<Rgb>(double z)> colorAt; // absent: no colour at z
};

struct PaletteRead
{
    std::optional<Palette> palette;
    QString error; // names the file and the line or element at fault
};

// The four readers; `label` names the file in errors, `choice` the QGIS ramp or ParaView
// preset to take (empty: the first).
PaletteRead readGmtPalette(const QByteArray &text, const QString &label);
PaletteRead readGdalColors(const QByteArray &text, const QString &label);
PaletteRead readQgisStyle(const QByteArray &text, const QString &label, const QString &choice);
PaletteRead readParaviewPresets(const QByteArray &text, const QString &label,
                                const QString &choice);

// What the readers share: "LABEL line N: what", and number reading.
QString lineError(const QString &label, int line, const QString &what);
std::optional<double> finiteNumber(const QString &text);
// A whole symbol number at `value`, allowing for the rounding of a written fraction.
std::optional<int> wholeSymbol(double value);

} // namespace tessel
