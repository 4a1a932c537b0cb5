#include "Formats.h"

#include "FormatIo.h"

#include <QFileInfo>
#include <QStringList>

namespace tessel {

const std::vector<Format> &formats()
{
    static const std::vector<Format> kFormats = {
        {"cpt", "GMT", "colour palette table", {"cpt"}, scoreGmt, readGmt, writeGmt},
        {"gdal", "gdaldem", "color-relief file", {"txt", "*"}, scoreGdal, readGdal, writeGdal},
        // GRASS's own tables have no extension: a file without one that GRASS and gdaldem
        // both fit is GRASS's, so that its names take GRASS's colours.
        {"grass", "GRASS", "colour rules", {"rules", ""}, scoreGrass, readGrass, writeGrass},
        {"ncl", "NCL", "colour map", {"rgb", "gp", "ncmap"}, scoreNcl, readNcl, writeNcl},
        {"qgis", "QGIS", "style XML", {"xml"}, scoreQgis, readQgis, writeQgis},
        {"paraview",
         "ParaView",
         "colour-map preset JSON",
         {"json"},
         scoreParaview,
         readParaview,
         writeParaview},
        {"svg", "SVG", "linearGradient", {"svg"}, scoreSvg, readSvg, writeSvg},
    };
    return kFormats;
}

const Format *findFormat(const QString &key)
{
    for (const Format &format : formats()) {
        if (key.compare(QLatin1String(format.key), Qt::CaseInsensitive) == 0) {
            return &format;
        }
    }
    return nullptr;
}

namespace {

QString alternatives(const char *Format::*field)
{
    QStringList names;
    for (const Format &format : formats()) {
        names << QLatin1String(format.*field);
    }
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

bool names(const Format &format, const char *extension)
{
    for (const char *own : format.extensions) {
        if (own != nullptr && qstrcmp(own, extension) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

QString formatKeys()
{
    return alternatives(&Format::key);
}

QString formatPrograms()
{
    return alternatives(&Format::program);
}

core::Result<const Format *> detectFormat(QByteArrayView bytes, const QString &path)
{
    std::vector<const Format *> best;
    int bestScore = 0;
    for (const Format &format : formats()) {
        // Bytes holding a NUL are no text at all: nothing fits them.
        const int score = bytes.contains('\0') ? 0 : format.score(bytes);
        if (score > bestScore) {
            best = {&format};
            bestScore = score;
        } else if (score > 0 && score == bestScore) {
            best.push_back(&format);
        }
    }
    if (best.empty()) {
        return core::fail(QStringLiteral("%1: neither a shadeset nor a palette of %2")
                              .arg(path, formatPrograms()));
    }
    const QByteArray extension = QFileInfo(path).suffix().toLower().toUtf8();
    for (const char *wanted : {extension.constData(), "*"}) {
        for (const Format *format : best) {
            if (names(*format, wanted)) {
                return format;
            }
        }
    }
    return best.front();
}

} // namespace tessel
