#include "Formats.h"

#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <QFileInfo>
#include <QStringList>

namespace tessel {

const std::vector<Format> &formats()
{
    static const std::vector<Format> kFormats = {
        {"cpt", "GMT", "colour palette table", {"cpt"}, scoreGmtLine, nullptr, readGmt, writeGmt},
        {"gdal",
         "gdaldem",
         "color-relief file",
         {"txt", "*"},
         scoreGdalLine,
         nullptr,
         readGdal,
         writeGdal},
        // GRASS's own tables have no extension: a file without one that GRASS and gdaldem
        // both fit is GRASS's, so that its names take GRASS's colours.
        {"grass",
         "GRASS",
         "colour rules",
         {"rules", ""},
         scoreGrassLine,
         nullptr,
         readGrass,
         writeGrass},
        {"ncl",
         "NCL",
         "colour map",
         {"rgb", "gp", "ncmap"},
         scoreNclLine,
         nullptr,
         readNcl,
         writeNcl},
        {"qgis", "QGIS", "style XML", {"xml"}, nullptr, scoreQgis, readQgis, writeQgis},
        {"paraview",
         "ParaView",
         "colour-map preset JSON",
         {"json"},
         nullptr,
         scoreParaview,
         readParaview,
         writeParaview},
        {"svg", "SVG", "linearGradient", {"svg"}, nullptr, scoreSvg, readSvg, writeSvg},
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

// Each format's score: the structured ones from the whole, the formats of lines from one
// reading of every line, which is what a big file of comments costs.
std::vector<int> scores(QByteArrayView bytes)
{
    const std::vector<Format> &all = formats();
    std::vector<int> out(all.size(), 0);
    if (bytes.contains('\0')) { // no text at all: nothing fits it
        return out;
    }
    const QByteArrayView first = firstLine(bytes);
    if (opensStructured(first)) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            out[i] = all[i].scoreWhole ? all[i].scoreWhole(bytes, first) : 0;
        }
        return out;
    }
    std::vector<int> fits(all.size(), 0);
    std::vector<int> evidence(all.size(), 0);
    std::vector<bool> ruledOut(all.size(), false);
    TextLines lines(bytes);
    while (lines.next()) {
        if (lines.line().isEmpty()) {
            continue;
        }
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].scoreLine && !ruledOut[i]) {
                const LineScore said = all[i].scoreLine(lines.line());
                ruledOut[i] = said.rulesOut;
                fits[i] += said.fits;
                evidence[i] += said.evidence;
            }
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        out[i] = !ruledOut[i] && fits[i] > 0 ? 1 + evidence[i] : 0;
    }
    return out;
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
    const std::vector<int> fit = scores(bytes);
    for (std::size_t i = 0; i < fit.size(); ++i) {
        if (fit[i] > bestScore) {
            best = {&formats()[i]};
            bestScore = fit[i];
        } else if (fit[i] > 0 && fit[i] == bestScore) {
            best.push_back(&formats()[i]);
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
