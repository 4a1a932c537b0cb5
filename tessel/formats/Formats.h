#pragma once

#include "Palette.h"
#include "core/Result.h"
#include "tessel/table/Rgb.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

namespace tessel {

// A format of another program that Tessel reads palettes from and writes shadesets in. A new
// format is a new row in formats() and the file of its reader and writer.
struct Format
{
    const char *key;     // as shadeexport and tesselcmd --export take it: "cpt"
    const char *program; // whose format it is, in messages: "GMT"
    const char *what;    // what its files are: "colour palette table"
    // Extensions in lower case; exports get the first. "" stands for none, and "*" for any
    // other: a file that fits this format and another equally, under an extension neither
    // names, is this one's.
    std::array<const char *, 3> extensions;
    // How well a file fits. A format of lines says so line by line (every file's lines are
    // read once, for all of them); a structured one (XML, JSON) from the whole and its first
    // line: 0 when it cannot be this format, 1 when it could, more for each line or element
    // that says so. One of the two is absent.
    LineScore (*scoreLine)(QByteArrayView line);
    int (*scoreWhole)(QByteArrayView bytes, QByteArrayView first);
    // The palette in the bytes; `label` names the file in failures.
    core::Result<Palette> (*read)(const QByteArray &bytes, const QString &label,
                                  const ReadOptions &options);
    // The entries as a file of the format, `name` naming the table in it; refused when the
    // format cannot carry the name.
    core::Result<QByteArray> (*write)(const std::vector<Entry> &entries, const QString &name);
    // The table fitted to a grid's data, so that the program draws the grid as Tessel draws
    // it; absent where the format has no data values.
    core::Result<QByteArray> (*writeFitted)(const std::vector<FittedClass> &classes,
                                            const QString &name) = nullptr;
};

const std::vector<Format> &formats();
// The format of `key` (in any case), or none.
const Format *findFormat(const QString &key);
// The keys, for messages: "cpt, gdal, qgis, paraview or svg".
QString formatKeys();
// The programs, for messages: "GMT, gdaldem, QGIS, ParaView or SVG".
QString formatPrograms();

// The format of a palette file by its content: the best fit, the extension deciding
// between equal ones. A file that fits none is refused.
core::Result<const Format *> detectFormat(QByteArrayView bytes, const QString &path);

} // namespace tessel
