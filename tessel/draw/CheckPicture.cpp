#include "CheckPicture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace tessel {
namespace {

constexpr int kMargin = 6;
constexpr int kSineRows = 128;
// The pens of the step curves, a vision each.
const QColor kVisionPens[kVisions] = {Qt::black, QColor(200, 40, 40), QColor(40, 150, 40),
                                      QColor(40, 70, 210), Qt::gray};

// "elev999: length 240.42 normal, 163.74 protanopia, ..."
QString title(const CheckReport &report)
{
    QStringList lengths;
    for (int v = 0; v < kVisions; ++v) {
        lengths << QString::number(report.figures[v].length, 'f', 2) + QLatin1Char(' ') +
                       QLatin1String(kVisionNames[v]);
    }
    return report.name + QStringLiteral(": length ") + lengths.join(QStringLiteral(", "));
}

QRgb rgbOf(const std::optional<Rgb> &c)
{
    return c ? qRgb(c->red, c->green, c->blue) : qRgba(0, 0, 0, 0);
}

// A framed panel with its label on the left and its scale's top and foot.
void frame(QPainter &painter, const QRect &panel, int labels, const QString &label,
           const QString &top, const QString &foot)
{
    painter.setPen(Qt::black);
    painter.drawRect(panel.adjusted(0, 0, -1, -1));
    const QRect side(kMargin, panel.top(), labels, panel.height());
    painter.drawText(side, Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.drawText(side, Qt::AlignRight | Qt::AlignTop, top);
    painter.drawText(side, Qt::AlignRight | Qt::AlignBottom, foot);
}

// A curve of `values` (absent: a break) across `panel`, from 0 at its foot to `top`.
void curve(QPainter &painter, const QRect &panel, const std::vector<std::optional<double>> &values,
           double top)
{
    QPainterPath path;
    bool drawing = false;
    const int count = int(values.size());
    for (int i = 0; i < count; ++i) {
        if (!values[std::size_t(i)]) {
            drawing = false;
            continue;
        }
        const QPointF at(
            panel.left() + (count == 1 ? 0.5 : double(i) / (count - 1)) * panel.width(),
            panel.bottom() - std::min(*values[std::size_t(i)] / top, 1.0) * panel.height());
        drawing ? path.lineTo(at) : path.moveTo(at);
        drawing = true;
    }
    painter.drawPath(path);
}

// Where there are more values than columns, the mean of those that fall in each column, so
// that a long table's steps read as a line, not as the 8-bit staircase they climb.
std::vector<std::optional<double>> binned(const std::vector<std::optional<double>> &values,
                                          int columns)
{
    if (columns < 1 || int(values.size()) <= columns) {
        return values;
    }
    std::vector<std::optional<double>> out(static_cast<std::size_t>(columns));
    std::vector<int> counts(std::size_t(columns), 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i]) {
            const auto c = std::size_t(i * std::size_t(columns) / values.size());
            out[c] = out[c].value_or(0) + *values[i];
            ++counts[c];
        }
    }
    for (std::size_t c = 0; c < out.size(); ++c) {
        if (out[c]) {
            *out[c] /= counts[c];
        }
    }
    return out;
}

// The names of the visions in their pens, across the top of `panel`.
void legend(QPainter &painter, const QRect &panel, const QFontMetrics &metrics)
{
    int x = panel.left() + 3;
    for (int v = 0; v < kVisions; ++v) {
        painter.setPen(kVisionPens[v]);
        painter.drawText(QPoint(x, panel.top() + metrics.ascent() + 1),
                         QLatin1String(kVisionNames[v]));
        x += metrics.horizontalAdvance(QLatin1String(kVisionNames[v])) + 6;
    }
    painter.setPen(Qt::black);
}

} // namespace

QImage sineRamp(const CheckReport &report, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    const int w = size.width();
    const int rows = size.height();
    std::vector<double> v(std::size_t(std::max(w, 0)));
    for (int r = 0; r < rows; ++r) {
        const double a = rows > 1 ? std::pow(double(rows - 1 - r) / (rows - 1), 2) : 1;
        for (int x = 0; x < w; ++x) {
            v[std::size_t(x)] =
                a * 12.5 * std::sin(2 * M_PI * x / 8) + (w > 1 ? x * (255.0 - 25) / (w - 1) : 0);
        }
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        const double span = w > 0 && *hi > *lo ? *hi - *lo : 1;
        const int last = report.last - report.first;
        for (int x = 0; x < w; ++x) {
            const double t = (v[std::size_t(x)] - *lo) / span;
            image.setPixel(x, r, rgbOf(report.seen[0][std::size_t(std::lround(t * last))]));
        }
    }
    return image;
}

void paintCheck(QPainter &painter, QSize size, const CheckReport &report, CheckFrame frameOf)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    const bool alone = frameOf == CheckFrame::Alone;
    // Alone, a title over the picture, wrapped where it is narrow.
    const QRect titleRoom(kMargin, kMargin, size.width() - 2 * kMargin, size.height());
    const int top =
        alone ? kMargin + metrics.boundingRect(titleRoom, Qt::TextWordWrap, title(report)).height()
              : 0;
    if (alone) {
        painter.drawText(titleRoom, Qt::AlignLeft | Qt::TextWordWrap, title(report));
    }
    int names = 0;
    for (const char *name : kVisionNames) {
        names = std::max(names, metrics.horizontalAdvance(QLatin1String(name)));
    }
    // The sine ramp fills the foot of the picture, edge to edge; the rest is shared by the
    // bands (two fifths) and the curves of L* and of the steps.
    const int sineRows = std::min(kSineRows, size.height() / 3);
    const QRect area(kMargin + names + kMargin, top + kMargin, size.width() - names - 3 * kMargin,
                     size.height() - top - 3 * kMargin - metrics.height() - sineRows);
    const int count = int(report.lightness.size());
    const double row = area.height() * 0.4 / kVisions;
    for (int v = 0; v < kVisions; ++v) {
        const QRect band(area.left(), area.top() + int(v * row), area.width(),
                         std::max(1, int(row) - 2));
        QImage line(count, 1, QImage::Format_ARGB32);
        for (int i = 0; i < count; ++i) {
            line.setPixel(i, 0, rgbOf(report.seen[v][std::size_t(i)]));
        }
        if (alone) { // so that no symbol is taken for a white one
            painter.fillRect(band, QBrush(Qt::gray, Qt::BDiagPattern));
        }
        painter.drawImage(band, line);
        painter.drawText(QRect(kMargin, band.top(), names, band.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(kVisionNames[v]));
    }
    const int curves = area.height() - int(kVisions * row) - 2 * kMargin;
    const QRect light(area.left(), area.top() + int(kVisions * row) + kMargin, area.width(),
                      curves / 2);
    const QRect steps(area.left(), light.bottom() + 1 + kMargin, area.width(), curves - curves / 2);
    frame(painter, light, names, QStringLiteral("L*"), QStringLiteral("100"), QStringLiteral("0"));
    // A step is drawn at the symbol it leads to; the scale fits the largest drawn.
    std::array<std::vector<std::optional<double>>, kVisions> drawn;
    double most = 0;
    for (int v = 0; v < kVisions; ++v) {
        std::vector<std::optional<double>> values(1);
        for (std::size_t i = 0; i < report.figures[v].steps.size(); ++i) {
            const bool defined = report.seen[v][i] && report.seen[v][i + 1];
            values.push_back(defined ? std::optional(report.figures[v].steps[i]) : std::nullopt);
        }
        drawn[v] = binned(values, steps.width());
        for (const std::optional<double> &step : drawn[v]) {
            most = std::max(most, step.value_or(0));
        }
    }
    most = most > 0 ? most : 1;
    frame(painter, steps, names, QStringLiteral("ΔE00"), QString::number(most, 'f', 2),
          QStringLiteral("0"));
    painter.setRenderHint(QPainter::Antialiasing);
    curve(painter, light, report.lightness, 100);
    for (int v = kVisions - 1; v >= 0; --v) {
        painter.setPen(kVisionPens[v]);
        curve(painter, steps, drawn[v], most);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    legend(painter, steps, metrics);
    const QRect axis(steps.left(), steps.bottom() + 2, steps.width(), metrics.height());
    painter.drawText(axis, Qt::AlignLeft, QString::number(report.first));
    painter.drawText(axis, Qt::AlignRight, QString::number(report.last));
    if (sineRows > 0) {
        painter.drawImage(QPoint(0, size.height() - sineRows),
                          sineRamp(report, QSize(size.width(), sineRows)));
    }
    painter.restore();
}

} // namespace tessel
