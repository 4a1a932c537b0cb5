#pragma once

#include "Palette.h"
#include "tessel/table/ShdFile.h"

#include <optional>

namespace tessel {

// The part of a palette to take (`.importcut`): from lo to hi, each absent for the palette's
// own end.
struct Cut
{
    std::optional<double> lo;
    std::optional<double> hi;
};

struct ImportOptions
{
    ReadOptions read;
    // How many symbols a palette that is not keyed by them is sampled into; absent: 256.
    std::optional<int> symbols;
    std::optional<Cut> cut;
    std::optional<int> hinge; // the symbol a hinged palette's hinge goes to
};

constexpr qint64 kMaxPaletteBytes = 16 * 1024 * 1024;

// Reads any file Tessel takes as a shadeset: its own .shd, or a palette of another program
// in one of the formats (Formats.h), recognised by its content.
// A palette keyed by symbol numbers loads as exactly those symbols; any other is sampled:
// symbol k takes the colour at z = zmin + (k - 1)(zmax - zmin)/(symbols - 1). A cut samples
// its part instead, from its lo to its hi; a hinge at symbol S samples the palette's part
// below its hinge over symbols 1 to S and the part above over S to N, each straight. It is
// named as in the file, else after the file's stem.
core::Result<Shadeset> readShadesetFile(const QString &path, const ImportOptions &options);
core::Result<Shadeset> parseShadeset(const QByteArray &bytes, const QString &label,
                                     const ImportOptions &options);

// Whether the bytes are a shadeset or a palette Tessel reads (to tell them from commands).
bool looksLikePalette(const QByteArray &bytes, const QString &label);

} // namespace tessel
