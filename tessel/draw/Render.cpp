#include "Render.h"

#include "ScaleRender.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessel {
namespace {

QColor toQColor(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

class Renderer
{
public:
    Renderer(QPainter &painter, QSize size) : m_painter(painter), m_height(size.height()) {}

    double px(double inches) const { return inches * kDotsPerInch; }
    double py(double inches) const { return m_height - inches * kDotsPerInch; }

    QRect pixelRect(const InchRect &r) const
    {
        const QPointF a(px(std::min(r.x1, r.x2)), py(std::max(r.y1, r.y2)));
        const QPointF b(px(std::max(r.x1, r.x2)), py(std::min(r.y1, r.y2)));
        return QRect(QPoint(std::lround(a.x()), std::lround(a.y())),
                     QPoint(std::lround(b.x()) - 1, std::lround(b.y()) - 1));
    }

    void operator()(const Patch &patch) const
    {
        const QRect rect = pixelRect(patch.rect);
        m_painter.fillRect(rect, toQColor(patch.fill));
        m_painter.setPen(Qt::black);
        m_painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }

    // Each pixel row takes the band under its centre, so narrow bands leave no gaps. The
    // rows go into a one-pixel-wide image that is stretched across the legend.
    void operator()(const Legend &legend) const
    {
        const QRect rect = pixelRect(legend.rect);
        if (legend.bands.empty() || rect.isEmpty()) {
            return;
        }
        const double bottom = std::min(legend.rect.y1, legend.rect.y2);
        const double bandHeight =
            std::abs(legend.rect.y2 - legend.rect.y1) / static_cast<double>(legend.bands.size());
        const auto last = static_cast<long>(legend.bands.size()) - 1;
        QImage column(1, rect.height(), QImage::Format_ARGB32_Premultiplied);
        for (int row = 0; row < rect.height(); ++row) {
            const double inches = (m_height - (rect.top() + row + 0.5)) / kDotsPerInch;
            const long band =
                std::clamp(std::lround(std::floor((inches - bottom) / bandHeight)), 0L, last);
            const auto &rgb = legend.bands[static_cast<std::size_t>(band)];
            column.setPixel(0, row, rgb ? qRgb(rgb->red, rgb->green, rgb->blue) : 0u);
        }
        m_painter.drawImage(rect, column);
    }

    void operator()(const Label &label) const
    {
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPointF(px(label.x), py(label.y)), label.text);
    }

    void operator()(const GridImage &grid) const
    {
        m_painter.drawImage(pixelRect(grid.rect), grid.image);
    }

    void operator()(const Scale &scale) const
    {
        paintScale(m_painter, pixelRect(scale.rect), scale);
    }

private:
    QPainter &m_painter;
    int m_height;
};

} // namespace

void renderDrawing(QPainter &painter, const Drawing &drawing, QSize size)
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const Renderer renderer(painter, size);
    for (const DrawingItem &item : drawing.items) {
        std::visit(renderer, item);
    }
    painter.restore();
}

} // namespace tessel
