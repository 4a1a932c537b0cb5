#include "TesselWidget.h"

#include "Render.h"

#include <QPainter>

namespace tessel {

TesselWidget::TesselWidget(const QString &ownFolder, QWidget *parent)
    : QWidget(parent), m_host(ownFolder)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

qint32 TesselWidget::RunCommand(const QString &text, Messages &messages)
{
    const qint32 status = m_host.RunCommand(text, messages);
    update();
    return status;
}

QString TesselWidget::GetVariable(const QString &name)
{
    return m_host.GetVariable(name);
}

void TesselWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderDrawing(painter, m_host.drawing(), size());
}

} // namespace tessel
