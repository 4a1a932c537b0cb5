#include "ScaleRender.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

constexpr int kTick = 4;  // pixels a labelled tick stands out of the bar
constexpr int kMinor = 2; // and an unlabelled one
constexpr int kGap = 6;   // between two labels

// The unlabelled ticks between labelled ones: fifths of a step of 1 or 5, quarters of a 2.
double minorStep(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return step / (std::lround(mantissa) == 2 ? 4 : 5);
}

} // namespace

double tickStep(double lo, double hi, double pixels, const std::function<double(double)> &room)
{
    const double span = hi - lo;
    if (!(span > 0) || !(pixels > 0)) {
        return 0;
    }
    for (int power = int(std::floor(std::log10(span))) - 3;; ++power) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            const double step = mantissa * std::pow(10.0, power);
            if (span / step <= 50 && step / span * pixels >= room(step) + kGap) {
                return step;
            }
            if (step >= span) { // one tick at most: nothing to keep apart
                return step;
            }
        }
    }
}

std::vector<double> ticks(double lo, double hi, double step)
{
    std::vector<double> out;
    if (!(step > 0)) {
        return out;
    }
    for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + 1e-9 * step; ++k) {
        out.push_back(k * step == 0 ? 0.0 : k * step);
    }
    return out;
}

QString tickLabel(double value, double step)
{
    const int decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
    const QString text = QString::number(value, 'f', decimals);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void paintScale(QPainter &painter, const QRect &pixels, const Scale &scale)
{
    if (pixels.isEmpty() || !(scale.hi > scale.lo)) {
        return;
    }
    painter.save();
    const QFontMetrics metrics(painter.font());
    const bool across = pixels.width() >= pixels.height();
    // The bar leaves room for the ticks and labels under it, or to its right.
    const double length = across ? pixels.width() : pixels.height();
    const auto labelRoom = [&](double step) {
        double most = 0;
        for (const double v : ticks(scale.lo, scale.hi, step)) {
            const QString label = tickLabel(v, step);
            most = std::max(most,
                            double(across ? metrics.horizontalAdvance(label) : metrics.height()));
        }
        return most;
    };
    const double step = tickStep(scale.lo, scale.hi, length, labelRoom);
    int widest = 0;
    for (const double v : ticks(scale.lo, scale.hi, step)) {
        widest = std::max(widest, metrics.horizontalAdvance(tickLabel(v, step)));
    }
    const int side = across ? std::max(4, pixels.height() - kTick - 2 - metrics.height())
                            : std::max(4, pixels.width() - kTick - 2 - widest);
    const QRect bar(pixels.topLeft(),
                    across ? QSize(pixels.width(), side) : QSize(side, pixels.height()));
    // Where value v lies along the bar, in pixels from its left or its foot.
    const auto at = [&](double v) {
        const double t = (v - scale.lo) / (scale.hi - scale.lo) * length;
        return across ? bar.left() + t : bar.bottom() + 1 - t;
    };
    for (const ScaleBand &band : scale.bands) {
        if (!band.colour) {
            continue;
        }
        const double a = at(std::max(band.from, scale.lo));
        const double b = at(std::min(band.to, scale.hi));
        const QRectF piece = across ? QRectF(a, bar.top(), b - a, bar.height())
                                    : QRectF(bar.left(), b, bar.width(), a - b);
        painter.fillRect(piece, QColor(band.colour->red, band.colour->green, band.colour->blue));
    }
    painter.setPen(Qt::black);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const auto mark = [&](double v, int size) {
        const double p = at(v);
        across ? painter.drawLine(QPointF(p, bar.bottom() + 1), QPointF(p, bar.bottom() + size))
               : painter.drawLine(QPointF(bar.right() + 1, p), QPointF(bar.right() + size, p));
    };
    for (const double v : ticks(scale.lo, scale.hi, minorStep(step))) {
        mark(v, kMinor);
    }
    for (const double v : ticks(scale.lo, scale.hi, step)) {
        mark(v, kTick);
        const QString label = tickLabel(v, step);
        const double p = at(v);
        const int w = metrics.horizontalAdvance(label);
        if (across) {
            const double x =
                std::clamp(p - w / 2.0, double(pixels.left()), double(pixels.right() + 1 - w));
            painter.drawText(QPointF(x, bar.bottom() + kTick + 2 + metrics.ascent()), label);
        } else {
            const double y =
                std::clamp(p + metrics.ascent() / 2.0 - 1, double(pixels.top() + metrics.ascent()),
                           double(pixels.bottom()));
            painter.drawText(QPointF(bar.right() + kTick + 3, y), label);
        }
    }
    painter.restore();
}

} // namespace tessel
