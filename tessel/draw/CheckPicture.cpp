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
    if (labels == 0) {
        return;
    }
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

// The names of the visions in their pens, flowing from the left of `box` onto as many lines
// as it takes; the lines they take.
int legend(QPainter *painter, const QRect &box, const QFontMetrics &metrics)
{
    int x = box.left();
    int lines = 1;
    for (int v = 0; v < kVisions; ++v) {
        const int wide = metrics.horizontalAdvance(QLatin1String(kVisionNames[v]));
        if (x > box.left() && x + wide > box.right()) {
            x = box.left();
            ++lines;
        }
        if (painter) {
            painter->setPen(kVisionPens[v]);
            painter->drawText(
                QPoint(x, box.top() + (lines - 1) * metrics.height() + metrics.ascent()),
                QLatin1String(kVisionNames[v]));
        }
        x += wide + 6;
    }
    if (painter) {
        painter->setPen(Qt::black);
    }
    return lines;
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

CheckLayout checkLayout(QSize size, const QFontMetrics &metrics, const CheckReport &report,
                        CheckFrame frameOf)
{
    CheckLayout out;
    const int line = metrics.height();
    const int width = size.width();
    int names = 0;
    for (const char *name : kVisionNames) {
        names = std::max(names, metrics.horizontalAdvance(QLatin1String(name)));
    }
    // Words on the left where the plots keep some room beside them.
    out.names = width >= names + 3 * kMargin + 4 * kMargin ? names : 0;
    const int plotLeft = out.names ? 2 * kMargin + out.names : kMargin;
    const QRect plots(plotLeft, 0, std::max(1, width - plotLeft - kMargin), 0);
    const int room = size.height() - 2 * kMargin; // between the margins at top and foot
    // The title: wrapped, or on one line where wrapped it would take more than a quarter.
    int heading = 0;
    const QRect headingRoom(kMargin, kMargin, std::max(1, width - 2 * kMargin), size.height());
    if (frameOf == CheckFrame::Alone) {
        heading = metrics.boundingRect(headingRoom, Qt::TextWordWrap, title(report)).height();
        heading = heading <= room / 4 ? heading : line <= room / 4 ? line : 0;
    }
    const int legendLines = legend(nullptr, QRect(plots.left(), 0, plots.width(), 0), metrics);
    const int sineRows = std::min(kSineRows, size.height() / 3);
    const int bandRows = out.names ? kVisions * line : kVisions;
    // What each part needs, and what is left out, in order, where they do not all fit.
    bool steps = names <= plots.width(); // the names of the pens fit, one a line at worst
    bool light = true;
    bool sine = sineRows >= 16;
    const auto need = [&] {
        const int curve = 3 * line + kMargin;
        return (heading ? heading + kMargin : 0) + bandRows + (light ? curve : 0) +
               (steps ? curve + legendLines * line + line : 0) + (sine ? sineRows : 0);
    };
    for (bool *part : {&steps, &light, &sine}) {
        if (need() > room) {
            *part = false;
        }
    }
    if (need() > room) {
        heading = 0;
    }
    out.names = bandRows / kVisions >= line ? out.names : 0;
    // The room left over goes two fifths to the bands, the rest to the curves alike.
    const int spare = std::max(0, room - need());
    const int curves = int(light) + int(steps);
    const int toBands = curves ? spare * 2 / 5 : spare;
    const int toCurve = curves ? (spare - toBands) / curves : 0;
    int y = kMargin;
    const auto take = [&](int height, int left = 0, int right = 0) {
        const QRect box(kMargin + left, y, width - 2 * kMargin - left - right, height);
        y += height;
        return box;
    };
    if (heading) {
        out.title = take(heading);
        y += kMargin;
    }
    out.bands = take(bandRows + toBands);
    if (light) {
        y += kMargin;
        out.light = take(3 * line + toCurve);
    }
    if (steps) {
        y += kMargin;
        out.legend = take(legendLines * line, plotLeft - kMargin);
        out.steps = take(3 * line + toCurve);
        out.ends = take(line, plotLeft - kMargin);
    }
    if (sine) {
        out.sine = QRect(0, size.height() - sineRows, width, sineRows);
    }
    return out;
}

void paintCheck(QPainter &painter, QSize size, const CheckReport &report, CheckFrame frameOf)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    const bool alone = frameOf == CheckFrame::Alone;
    const CheckLayout layout = checkLayout(size, metrics, report, frameOf);
    const int names = layout.names;
    // The plots of a panel: right of its words.
    const auto plot = [&](const QRect &box) {
        return names ? box.adjusted(names + kMargin, 0, 0, 0) : box;
    };
    if (!layout.title.isEmpty()) {
        painter.setClipRect(layout.title);
        const QString text = title(report);
        const bool wraps =
            metrics
                .boundingRect(layout.title.adjusted(0, 0, 0, size.height()), Qt::TextWordWrap, text)
                .height() <= layout.title.height();
        painter.drawText(layout.title, Qt::AlignLeft | (wraps ? Qt::TextWordWrap : 0),
                         wraps ? text
                               : metrics.elidedText(text, Qt::ElideRight, layout.title.width()));
    }
    const int count = int(report.lightness.size());
    const QRect bands = plot(layout.bands);
    painter.setClipRect(layout.bands);
    const double row = double(bands.height()) / kVisions;
    for (int v = 0; v < kVisions; ++v) {
        const int top = bands.top() + int(v * row);
        const QRect band(bands.left(), top, bands.width(),
                         std::max(1, int(bands.top() + (v + 1) * row) - top - 2));
        QImage line(count, 1, QImage::Format_ARGB32);
        for (int i = 0; i < count; ++i) {
            line.setPixel(i, 0, rgbOf(report.seen[v][std::size_t(i)]));
        }
        if (alone) { // so that no symbol is taken for a white one
            painter.fillRect(band, QBrush(Qt::gray, Qt::BDiagPattern));
        }
        painter.drawImage(band, line);
        if (names) {
            painter.drawText(QRect(kMargin, top, names, int(row)), Qt::AlignLeft | Qt::AlignVCenter,
                             QLatin1String(kVisionNames[v]));
        }
    }
    if (!layout.light.isEmpty()) {
        const QRect light = plot(layout.light);
        painter.setClipRect(layout.light);
        frame(painter, light, names, QStringLiteral("L*"), QStringLiteral("100"),
              QStringLiteral("0"));
        painter.setRenderHint(QPainter::Antialiasing);
        curve(painter, light, report.lightness, 100);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    if (!layout.steps.isEmpty()) {
        const QRect steps = plot(layout.steps);
        // A step is drawn at the symbol it leads to; the scale fits the largest drawn.
        std::array<std::vector<std::optional<double>>, kVisions> drawn;
        double most = 0;
        for (int v = 0; v < kVisions; ++v) {
            std::vector<std::optional<double>> values(1);
            for (std::size_t i = 0; i < report.figures[v].steps.size(); ++i) {
                const bool defined = report.seen[v][i] && report.seen[v][i + 1];
                values.push_back(defined ? std::optional(report.figures[v].steps[i])
                                         : std::nullopt);
            }
            drawn[v] = binned(values, steps.width());
            for (const std::optional<double> &step : drawn[v]) {
                most = std::max(most, step.value_or(0));
            }
        }
        most = most > 0 ? most : 1;
        painter.setClipRect(layout.steps);
        frame(painter, steps, names, QStringLiteral("ΔE00"), QString::number(most, 'f', 2),
              QStringLiteral("0"));
        painter.setRenderHint(QPainter::Antialiasing);
        for (int v = kVisions - 1; v >= 0; --v) {
            painter.setPen(kVisionPens[v]);
            curve(painter, steps, drawn[v], most);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipRect(layout.legend);
        legend(&painter, layout.legend, metrics);
        painter.setClipRect(layout.ends);
        painter.drawText(layout.ends, Qt::AlignLeft, QString::number(report.first));
        painter.drawText(layout.ends, Qt::AlignRight, QString::number(report.last));
    }
    painter.setClipping(false);
    if (!layout.sine.isEmpty()) {
        painter.drawImage(layout.sine.topLeft(), sineRamp(report, layout.sine.size()));
    }
    painter.restore();
}

} // namespace tessel
