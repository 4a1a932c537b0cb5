#include "CheckPicture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tessel {

namespace {

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

} // namespace

void paintCheck(QPainter &painter, QSize size, const CheckReport &report, CheckFrame frame)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(painter.font());
    const int margin = 6;
    const bool alone = frame == CheckFrame::Alone;
    // Alone, a title over the picture, wrapped where it is narrow.
    const QRect titleRoom(margin, margin, size.width() - 2 * margin, size.height());
    const int top =
        alone ? margin + metrics.boundingRect(titleRoom, Qt::TextWordWrap, title(report)).height()
              : 0;
    if (alone) {
        painter.drawText(titleRoom, Qt::AlignLeft | Qt::TextWordWrap, title(report));
    }
    int names = 0;
    for (const char *name : kVisionNames) {
        names = std::max(names, metrics.horizontalAdvance(QLatin1String(name)));
    }
    const QRect area(margin + names + margin, top + margin, size.width() - names - 3 * margin,
                     size.height() - top - 2 * margin - metrics.height());
    const int count = int(report.lightness.size());
    // The bands take the upper half, a row each, and L* the lower.
    const double row = area.height() / 2.0 / kVisions;
    for (int v = 0; v < kVisions; ++v) {
        const QRect band(area.left(), area.top() + int(v * row), area.width(),
                         std::max(1, int(row) - 2));
        QImage line(count, 1, QImage::Format_ARGB32);
        for (int i = 0; i < count; ++i) {
            const std::optional<Rgb> &c = report.seen[v][i];
            line.setPixel(i, 0, c ? qRgb(c->red, c->green, c->blue) : qRgba(0, 0, 0, 0));
        }
        if (alone) { // so that no symbol is taken for a white one
            painter.fillRect(band, QBrush(Qt::gray, Qt::BDiagPattern));
        }
        painter.drawImage(band, line);
        painter.drawText(QRect(margin, band.top(), names, band.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(kVisionNames[v]));
    }
    const QRect curve(area.left(), area.top() + int(kVisions * row) + margin, area.width(),
                      area.height() - int(kVisions * row) - margin);
    painter.drawRect(curve.adjusted(0, 0, -1, -1));
    painter.drawText(QRect(margin, curve.top(), names, curve.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("L*"));
    painter.drawText(QRect(margin, curve.top(), names, curve.height()),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("100"));
    painter.drawText(QRect(margin, curve.top(), names, curve.height()),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    bool drawing = false;
    for (int i = 0; i < count; ++i) {
        if (!report.lightness[i]) {
            drawing = false;
            continue;
        }
        const QPointF at(curve.left() +
                             (count == 1 ? 0.5 : double(i) / (count - 1)) * curve.width(),
                         curve.bottom() - *report.lightness[i] / 100 * curve.height());
        drawing ? path.lineTo(at) : path.moveTo(at);
        drawing = true;
    }
    painter.drawPath(path);
    const QRect axis(curve.left(), curve.bottom() + 2, curve.width(), metrics.height());
    painter.drawText(axis, Qt::AlignLeft, QString::number(report.first));
    painter.drawText(axis, Qt::AlignRight, QString::number(report.last));
    painter.restore();
}

} // namespace tessel
