#include "TesselWidget.h"

#include "Render.h"

#include <QPainter>

namespace tessel {

TesselWidget::TesselWidget(const QString &ownFolder, QWidget *parent)
    : QWidget(parent), m_host(ownFolder)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TesselWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderDrawing(painter, m_host.drawing(), size());
}

} // namespace tessel
