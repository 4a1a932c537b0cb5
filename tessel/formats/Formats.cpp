#include "Formats.h"

#include "FormatIo.h"
#include "tessel/table/TextLines.h"

#include <QFileInfo>
#include <QStringList>

namespace tessel {

const std::vector<Format> &formats()
{
    static const std::vector<Format> kFormats = {
        {"cpt",
         "GMT",
         "colour palette table",
         {"cpt"},
         scoreGmtLine,
         nullptr,
         readGmt,
         writeGmt,
         writeGmtFitted},
        {"gdal",
         "gdaldem",
         "color-relief file",
         {"txt", "*"},
         scoreGdalLine,
         nullptr,
         readGdal,
         writeGdal,
         writeGdalFitted},
        // GRASS's own tables have no extension: a file without one that GRASS and gdaldem
        // both fit is GRASS's, so that its names take GRASS's colours.
        {"grass",
         "GRASS",
         "colour rules",
         {"rules", ""},
         scoreGrassLine,
         nullptr,
         readGrass,
         writeGrass,
         writeGrassFitted},
        {"ncl",
         "NCL",
         "colour map",
         {"rgb", "gp", "ncmap"},
         scoreNclLine,
         nullptr,
         readNcl,
         writeNcl},
        {"qgis",
         "QGIS",
         "style XML",
         {"xml"},
         nullptr,
         scoreQgis,
         readQgis,
         writeQgis,
         writeQgisFitted},
        {"paraview",
         "ParaView",
         "colour-map preset JSON",
         {"json"},
         nullptr,
         scoreParaview,
         readParaview,
         writeParaview},
        {"svg", "SVG", "linearGradient", {"svg"}, nullptr, scoreSvg, readSvg, writeSvg},
        // The formats below came later: where a file fits one of them and one above equally,
        // under an extension neither names, the one above keeps it, as it always had.
        {"ggr", "GIMP", "gradient", {"ggr"}, scoreGimpLine, nullptr, readGimp, writeGimp},
        // gnuplot's lines are four plain numbers, as gdaldem's and GRASS's may be: only its
        // extension makes a file gnuplot's.
        {"gnuplot",
         "gnuplot",
         "palette file",
         {"gpf"},
         scoreGnuplotLine,
         nullptr,
         readGnuplot,
         writeGnuplot},
        {"qgiscolormap",
         "QGIS",
         "colour map file",
         {"txt"},
         scoreQgisColorMapLine,
         nullptr,
         readQgisColorMap,
         writeQgisColorMap,
         writeQgisColorMapFitted},
        {"qml",
         "QGIS",
         "layer style",
         {"qml"},
         nullptr,
         scoreQml,
         readQml,
         writeQml,
         writeQmlFitted},
        {"maplibre",
         "MapLibre",
         "style layer",
         {"json"},
         nullptr,
         scoreMaplibre,
         readMaplibre,
         writeMaplibre,
         writeMaplibreFitted},
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
        if (!names.contains(QLatin1String(format.*field))) { // QGIS has three formats
            names << QLatin1String(format.*field);
        }
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

constexpr int kRuledOut = -1;

// Each format's score: the structured ones from the whole, the formats of lines from one
// reading of every line, which is what a big file of comments costs. kRuledOut where it
// cannot be the format, 0 where no line rules it out but none fits it either.
std::vector<int> scores(QByteArrayView bytes)
{
    const std::vector<Format> &all = formats();
    std::vector<int> out(all.size(), kRuledOut);
    if (bytes.contains('\0')) { // no text at all: nothing fits it
        return out;
    }
    const QByteArrayView first = firstLine(bytes);
    if (opensStructured(first)) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            const int score = all[i].scoreWhole ? all[i].scoreWhole(bytes, first) : 0;
            out[i] = score > 0 ? score : kRuledOut;
        }
        return out;
    }
    struct Tally
    {
        int fits = 0;
        int evidence = 0;
        bool ruledOut = false;
    };
    std::vector<Tally> tally(all.size());
    TextLines lines(bytes);
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        // A run of equal lines (a block of "#", say) is scored once and counted.
        const int times = 1 + lines.skipRepeats();
        if (line.isEmpty()) {
            continue;
        }
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].scoreLine && !tally[i].ruledOut) {
                const LineScore said = all[i].scoreLine(line);
                tally[i].ruledOut = said.rulesOut;
                tally[i].fits += said.fits * times;
                tally[i].evidence += said.evidence * times;
            }
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        out[i] = !all[i].scoreLine || tally[i].ruledOut ? kRuledOut
                 : tally[i].fits > 0                    ? 1 + tally[i].evidence
                                                        : 0;
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
    // Where the best only fit, with nothing in the file to say so, the format the extension
    // names may be any that no line rules out: a .cpt that GMT would refuse is GMT's, and
    // refused as GMT refuses it, not read as another program's.
    const QByteArray extension = QFileInfo(path).suffix().toLower().toUtf8();
    for (std::size_t i = 0; i < fit.size(); ++i) {
        const bool candidate = bestScore == 1 ? fit[i] >= 0 : fit[i] == bestScore;
        if (candidate && names(formats()[i], extension.constData())) {
            return &formats()[i];
        }
    }
    for (const Format *format : best) {
        if (names(*format, "*")) {
            return format;
        }
    }
    return best.front();
}

} // namespace tessel
