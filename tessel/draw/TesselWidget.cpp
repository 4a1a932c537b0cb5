#include "TesselWidget.h"

#include "Render.h"

#include <QPainter>

namespace tessel {
namespace {

HostOptions hostOptions(const QString &traceFile)
{
    HostOptions options;
    options.traceFile = traceFile;
    return options;
}

} // namespace

TesselWidget::TesselWidget(const QString &ownFolder, const QString &traceFile, QWidget *parent)
    : QWidget(parent), m_host(ownFolder, hostOptions(traceFile))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TesselWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderDrawing(painter, m_host.drawing(), size());
}

} // namespace tessel
