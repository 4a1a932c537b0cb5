// The check in words and as JSON: the figures of each vision, what they mean for a reader,
// and what to do where the table does not read well; with a grid, how its cells spread.
#include "Check.h"
#include "core/Counted.h"
#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

QByteArray number(double value)
{
    return QByteArray::number(std::round(value * 1e4) / 1e4, 'f', 4);
}

QByteArray optionalNumber(const std::optional<double> &value)
{
    return value ? number(*value) : QByteArray("null");
}

QByteArray jsonText(const QString &text)
{
    const QByteArray quoted = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return quoted.mid(1, quoted.size() - 2);
}

QString fixed(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
}

QString percent(double share)
{
    return QString::number(qRound(100 * share));
}

// Why a vision has no order to read: it has no step (one symbol), or all its steps are 0.
QString noOrder(const CheckReport &r, const VisionFigures &f)
{
    return r.defined == 1  ? QStringLiteral("one symbol")
           : f.length == 0 ? QStringLiteral("one colour")
                           : QString();
}

// Why a table has no distinctness: it is read as a scale, or has no two defined neighbours.
QString noDistinct(const CheckReport &r)
{
    return r.classes ? QStringLiteral("no neighbours") : QStringLiteral("a scale");
}

QString missing(const QString &why)
{
    return QStringLiteral("- ") + why;
}

// Which vision keeps the least of the table's length; where several tie (as printed), none
// is named.
QString leastKept(const CheckReport &r)
{
    const auto printed = [&](int v) { return std::round(r.figures[v].length * 100); };
    int worst = 1;
    for (int v = 2; v < kVisions; ++v) {
        worst = printed(v) < printed(worst) ? v : worst;
    }
    int ties = 0;
    for (int v = 1; v < kVisions; ++v) {
        ties += printed(v) == printed(worst);
    }
    const QString share = percent(r.figures[worst].length / r.figures[0].length);
    if (ties == 1) {
        QString name = QLatin1String(kVisionNames[worst]);
        name[0] = name[0].toUpper();
        return QStringLiteral("%1 keeps the least of it: %2 % of the length in normal vision.\n")
            .arg(name, share);
    }
    return printed(worst) == printed(0)
               ? QStringLiteral("Every vision keeps all of it.\n")
               : QStringLiteral("%1 visions tie for the least of it: %2 % of the length in "
                                "normal vision.\n")
                     .arg(ties)
                     .arg(share);
}

// The one thing to do where the table falls short, as a scale or as classes.
QString advice(const CheckReport &r, bool ordered, bool even, const QStringList &close)
{
    if (r.figures[0].length == 0) {
        return QStringLiteral("Equalizing cannot change that: choose colours that differ.\n");
    }
    if (r.classes) {
        return close.isEmpty()
                   ? QStringLiteral("It needs no mending.\n")
                   : QStringLiteral("To mend it, give the classes %1 colours further apart.\n")
                         .arg(close.first());
    }
    return !ordered ? QStringLiteral(
                          "To mend it, choose colours whose lightness goes one way, and then run\n"
                          "shadeequalize lightness.\n")
           : !even ? QStringLiteral(
                         "To mend it, run shadeequalize perceptual, or turn on Even steps in the\n"
                         "window.\n")
                   : QStringLiteral("It needs no mending.\n");
}

// Who can read the table: its order, evenness and, for classes, distinctness in each vision,
// and the one thing to do where it falls short.
QString verdicts(const CheckReport &r)
{
    QString out = QStringLiteral("\n%1 %2 %3 %4\n")
                      .arg(QStringLiteral("vision"), -13)
                      .arg(QStringLiteral("order"), -27)
                      .arg(QStringLiteral("evenness"), -27)
                      .arg(QStringLiteral("distinct"));
    bool ordered = true;
    bool even = true;
    QStringList close;
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        ordered = ordered && f.turnsBackAt == 0;
        even = even && f.evenness && *f.evenness <= kEven;
        const QString order = !noOrder(r, f).isEmpty() ? missing(noOrder(r, f))
                              : f.turnsBackAt
                                  ? QStringLiteral("turns back at symbol %1").arg(f.turnsBackAt)
                                  : QStringLiteral("reads in order");
        const QString evenness =
            f.evenness
                ? fixed(*f.evenness) + (*f.evenness <= kEven ? QStringLiteral(" even") : QString())
                : missing(f.evennessWhy);
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QLatin1String(kVisionNames[v]), -13)
                   .arg(order, -27)
                   .arg(evenness, -27)
                   .arg(f.distinct ? fixed(*f.distinct) : missing(noDistinct(r)));
        if (f.closePair) {
            close << QStringLiteral("%1 and %2 (in %3)")
                         .arg(f.closePair)
                         .arg(f.closePair + 1)
                         .arg(QLatin1String(kVisionNames[v]));
        }
    }
    out +=
        QStringLiteral("\nIn order: lightness turns back by at most 1 L*. Even: the longest of %1 "
                       "equal\nspans is at most %2 times the shortest.\n")
            .arg(kEvennessSpans)
            .arg(kEven);
    if (r.classes) {
        out += QStringLiteral("Read as classes (%1 to %2 symbols, or neighbours mostly more than "
                              "%3 apart):\n")
                   .arg(3)
                   .arg(kMostClasses)
                   .arg(kClassStep);
        out += close.isEmpty()
                   ? QStringLiteral("every class stands apart, neighbours differing by %1 or more "
                                    "in every vision.\n")
                         .arg(kDistinct)
                   : QStringLiteral("not every class stands apart: classes %1 differ by less\n"
                                    "than %2.\n")
                         .arg(close.first())
                         .arg(kDistinct);
    }
    return out + advice(r, ordered, even, close);
}

QByteArray dataJson(const DataSpread &d)
{
    QByteArray percentiles;
    QByteArray symbols;
    for (std::size_t i = 0; i < kPercentiles.size(); ++i) {
        percentiles += (i ? ", " : "") + QByteArray::number(d.percentiles[i], 'g', 17);
        symbols += (i ? ", " : "") + QByteArray::number(d.symbols[i]);
    }
    return ", \"data\": {\"grid\": " + jsonText(d.grid) +
           ", \"cells\": " + QByteArray::number(d.cells) + ", \"classes\": \"" +
           (d.equalized ? "equalized" : "linear") + "\", \"range\": [" +
           QByteArray::number(d.min, 'g', 17) + ", " + QByteArray::number(d.max, 'g', 17) +
           "], \"percentiles\": [" + percentiles + "], \"symbols\": [" + symbols +
           "], \"share\": " + optionalNumber(d.share) +
           ", \"share_equalized\": " + optionalNumber(d.shareEqualized) +
           ", \"ok\": " + (d.share ? (*d.share >= kWellUsed ? "true" : "false") : "null") + "}";
}

} // namespace

QByteArray checkJson(const CheckReport &r, const DataSpread *data)
{
    QByteArray out = "{\"name\": " + jsonText(r.name) +
                     ", \"symbols\": " + QByteArray::number(r.defined) +
                     ", \"first\": " + QByteArray::number(r.first) +
                     ", \"last\": " + QByteArray::number(r.last) + ", \"read_as\": \"" +
                     (r.classes ? "classes" : "scale") + "\", \"vision\": {";
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        const QString unordered = noOrder(r, f);
        out += (v ? ", \"" : "\"") + QByteArray(kVisionNames[v]) +
               "\": {\"length\": " + number(f.length) +
               ", \"min_step\": " + optionalNumber(f.minStep) +
               ", \"max_step\": " + optionalNumber(f.maxStep) + ", \"lightness\": [" +
               number(f.lightFirst) + ", " + number(f.lightLast) +
               "], \"backtrack\": " + number(f.backtrack) + ", \"order\": {\"ok\": " +
               (!unordered.isEmpty() ? "null, \"at\": null, \"why\": " + jsonText(unordered)
                : f.turnsBackAt      ? "false, \"at\": " + QByteArray::number(f.turnsBackAt)
                                     : QByteArray("true, \"at\": null")) +
               "}, \"evenness\": " + optionalNumber(f.evenness) +
               (f.evenness ? QByteArray() : ", \"evenness_why\": " + jsonText(f.evennessWhy)) +
               ", \"distinct\": " + optionalNumber(f.distinct) +
               (f.distinct ? QByteArray() : ", \"distinct_why\": " + jsonText(noDistinct(r))) + "}";
    }
    return out + "}" + (data ? dataJson(*data) : QByteArray()) + "}\n";
}

QString dataText(const DataSpread &d)
{
    QString out = QStringLiteral("\nData: %1, %2 from %3 to %4, in %5 classes\n")
                      .arg(core::printable(d.grid))
                      .arg(core::counted(d.cells, "cell", "cells"))
                      .arg(QString::number(d.min, 'g', 6), QString::number(d.max, 'g', 6),
                           d.equalized ? QStringLiteral("equalized") : QStringLiteral("linear"));
    QString percentiles = QStringLiteral("%1").arg(QStringLiteral("percentile"), -10);
    QString values = QStringLiteral("%1").arg(QStringLiteral("value"), -10);
    QString symbols = QStringLiteral("%1").arg(QStringLiteral("symbol"), -10);
    for (std::size_t i = 0; i < kPercentiles.size(); ++i) {
        percentiles += QStringLiteral("%1").arg(kPercentiles[i], 12);
        values += QStringLiteral("%1").arg(QString::number(d.percentiles[i], 'g', 6), 12);
        symbols += QStringLiteral("%1").arg(d.symbols[i], 12);
    }
    out +=
        percentiles + QLatin1Char('\n') + values + QLatin1Char('\n') + symbols + QLatin1Char('\n');
    if (!d.share) {
        return out + QStringLiteral("The table has one colour: the data cannot use it.\n");
    }
    const QString used =
        QStringLiteral("90 % of the cells use %1 % of the table").arg(percent(*d.share));
    return out + (*d.share >= kWellUsed ? used + QStringLiteral(": the data uses the table well.\n")
                  : d.equalized
                      ? used + QStringLiteral(", with equalized classes.\n")
                      : used + QStringLiteral(": equalized classes would spread them\nover %1 % "
                                              "of it.\n")
                                   .arg(percent(d.shareEqualized.value_or(0))));
}

QString checkText(const CheckReport &r, const DataSpread *data)
{
    QString out = QStringLiteral("%1: %2 defined, %3 to %4\n\n")
                      .arg(core::printable(r.name))
                      .arg(core::counted(r.defined, "symbol", "symbols"))
                      .arg(r.first)
                      .arg(r.last);
    out += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("vision"), -13)
               .arg(QStringLiteral("length"), 8)
               .arg(QStringLiteral("min step"), 9)
               .arg(QStringLiteral("max step"), 9)
               .arg(QStringLiteral("lightness"), 14)
               .arg(QStringLiteral("backtrack"), 10);
    const auto step = [](const std::optional<double> &s) { return s ? fixed(*s) : QString("-"); };
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        out += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(QLatin1String(kVisionNames[v]), -13)
                   .arg(fixed(f.length), 8)
                   .arg(step(f.minStep), 9)
                   .arg(step(f.maxStep), 9)
                   .arg(fixed(f.lightFirst, 1) + QStringLiteral(" to ") + fixed(f.lightLast, 1), 14)
                   .arg(fixed(f.backtrack), 10);
    }
    const VisionFigures &normal = r.figures[0];
    out += QStringLiteral("\nLength is how far the eye travels from symbol to symbol (CIEDE2000;\n"
                          "1 is about the least difference that can be seen).\n");
    if (normal.length == 0) {
        out += QStringLiteral("Every defined symbol has the same colour.\n");
    } else {
        out += normal.repeats == 0 ? QStringLiteral("No two neighbours look the same.\n")
               : normal.repeats == 1
                   ? QStringLiteral("1 neighbour repeats the colour before it (a step of 0): the "
                                    "two cannot be told\napart.\n")
                   : QStringLiteral("%1 neighbours repeat the colour before them (steps of 0): "
                                    "they cannot be told\napart.\n")
                         .arg(normal.repeats);
        out += leastKept(r);
        out += normal.backtrack >= 1
                   ? QStringLiteral("Lightness turns back by up to %1 L*: the table does not run "
                                    "from dark to light\n(or light to dark) all the way.\n")
                         .arg(fixed(normal.backtrack, 1))
                   : QStringLiteral("Lightness runs one way, from %1 to %2 L*.\n")
                         .arg(fixed(normal.lightFirst, 1), fixed(normal.lightLast, 1));
    }
    out += verdicts(r);
    return data ? out + dataText(*data) : out;
}

} // namespace tessel
