#pragma once

#include "Palette.h"
#include "ShdFile.h"

#include <optional>

namespace tessel {

struct ImportOptions
{
    ReadOptions read;
    // How many symbols a palette that is not keyed by them is sampled into; absent: 256.
    std::optional<int> symbols;
};

constexpr qint64 kMaxPaletteBytes = 16 * 1024 * 1024;

// Reads any file Tessel takes as a shadeset: its own .shd, or a palette of another program
// in one of the formats (Formats.h), recognised by its content.
// A palette keyed by symbol numbers loads as exactly those symbols; any other is sampled:
// symbol k takes the colour at z = zmin + (k - 1)(zmax - zmin)/(symbols - 1). It is named
// as in the file, else after the file's stem.
core::Result<Shadeset> readShadesetFile(const QString &path, const ImportOptions &options);
core::Result<Shadeset> parseShadeset(const QByteArray &bytes, const QString &label,
                                     const ImportOptions &options);

// Whether the bytes are a shadeset or a palette Tessel reads (to tell them from commands).
bool looksLikePalette(const QByteArray &bytes, const QString &label);

} // namespace tessel
