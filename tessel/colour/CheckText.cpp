// The check in words and as JSON: the figures of each vision, what they mean for a reader,
// and what to do where the table does not read well.
#include "Check.h"
#include "core/Counted.h"
#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>

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

QString fixed(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
}

QString vision(int v)
{
    QString name = QLatin1String(kVisionNames[v]);
    name[0] = name[0].toUpper();
    return name;
}

// Who can read the table: its order, evenness and, for classes, distinctness in each vision,
// and the one thing to do where it falls short.
QString verdicts(const CheckReport &r)
{
    QString out = QStringLiteral("\n%1 %2 %3 %4\n")
                      .arg(QStringLiteral("vision"), -13)
                      .arg(QStringLiteral("order"), -27)
                      .arg(QStringLiteral("evenness"), -10)
                      .arg(QStringLiteral("distinct"), 8);
    bool ordered = true;
    bool even = true;
    QStringList close;
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        ordered = ordered && f.turnsBackAt == 0;
        even = even && f.evenness && *f.evenness <= kEven;
        const QString order = f.turnsBackAt
                                  ? QStringLiteral("turns back at symbol %1").arg(f.turnsBackAt)
                                  : QStringLiteral("reads in order");
        const QString evenness =
            f.evenness
                ? fixed(*f.evenness) + (*f.evenness <= kEven ? QStringLiteral(" even") : QString())
                : QStringLiteral("-");
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(QLatin1String(kVisionNames[v]), -13)
                   .arg(order, -27)
                   .arg(evenness, -10)
                   .arg(f.distinct ? fixed(*f.distinct) : QStringLiteral("-"), 8);
        if (f.closePair) {
            close << QStringLiteral("in %1 symbols %2 and %3")
                         .arg(QLatin1String(kVisionNames[v]))
                         .arg(f.closePair)
                         .arg(f.closePair + 1);
        }
    }
    out +=
        QStringLiteral("\nIn order: lightness turns back by at most 1 L*. Even: the longest of %1 "
                       "equal\nspans is at most %2 times the shortest.\n")
            .arg(kEvennessSpans)
            .arg(kEven);
    if (r.figures[0].distinct) {
        out += close.isEmpty()
                   ? QStringLiteral("Every class stands apart: neighbours differ by %1 or more "
                                    "in every vision.\n")
                         .arg(kDistinct)
                   : QStringLiteral("Not every class stands apart: %1 differ by less\nthan %2.\n")
                         .arg(close.first())
                         .arg(kDistinct);
    }
    out += !ordered ? QStringLiteral(
                          "To mend it, choose colours whose lightness goes one way, and then run\n"
                          "shadeequalize lightness.\n")
           : !even ? QStringLiteral(
                         "To mend it, run shadeequalize perceptual, or turn on Even steps in the\n"
                         "window.\n")
                   : QStringLiteral("It needs no mending.\n");
    return out;
}

} // namespace

QByteArray checkJson(const CheckReport &r)
{
    const QByteArray name = QJsonDocument(QJsonArray{r.name}).toJson(QJsonDocument::Compact);
    QByteArray out = "{\"name\": " + name.mid(1, name.size() - 2) +
                     ", \"symbols\": " + QByteArray::number(r.defined) +
                     ", \"first\": " + QByteArray::number(r.first) +
                     ", \"last\": " + QByteArray::number(r.last) + ", \"vision\": {";
    for (int v = 0; v < kVisions; ++v) {
        const VisionFigures &f = r.figures[v];
        out += (v ? ", \"" : "\"") + QByteArray(kVisionNames[v]) +
               "\": {\"length\": " + number(f.length) +
               ", \"min_step\": " + optionalNumber(f.minStep) +
               ", \"max_step\": " + optionalNumber(f.maxStep) + ", \"lightness\": [" +
               number(f.lightFirst) + ", " + number(f.lightLast) +
               "], \"backtrack\": " + number(f.backtrack) + ", \"order\": {\"ok\": " +
               (f.turnsBackAt ? "false, \"at\": " + QByteArray::number(f.turnsBackAt)
                              : QByteArray("true, \"at\": null")) +
               "}, \"evenness\": " + optionalNumber(f.evenness) +
               ", \"distinct\": " + optionalNumber(f.distinct) + "}";
    }
    return out + "}}\n";
}

QString checkText(const CheckReport &r)
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
    out += normal.repeats == 0 ? QStringLiteral("No two neighbours look the same.\n")
           : normal.repeats == 1
               ? QStringLiteral("1 neighbour repeats the colour before it (a step of 0): the two "
                                "cannot be told\napart.\n")
               : QStringLiteral("%1 neighbours repeat the colour before them (steps of 0): they "
                                "cannot be told\napart.\n")
                     .arg(normal.repeats);
    int worst = 1;
    for (int v = 2; v < kVisions; ++v) {
        worst = r.figures[v].length < r.figures[worst].length ? v : worst;
    }
    if (normal.length > 0) {
        out += QStringLiteral("%1 keeps the least of it: %2 % of the length in normal vision.\n")
                   .arg(vision(worst))
                   .arg(qRound(100 * r.figures[worst].length / normal.length));
    }
    out += normal.backtrack >= 1
               ? QStringLiteral("Lightness turns back by up to %1 L*: the table does not run from "
                                "dark to light\n(or light to dark) all the way.\n")
                     .arg(fixed(normal.backtrack, 1))
               : QStringLiteral("Lightness runs one way, from %1 to %2 L*.\n")
                     .arg(fixed(normal.lightFirst, 1), fixed(normal.lightLast, 1));
    out += verdicts(r);
    return out;
}

} // namespace tessel
