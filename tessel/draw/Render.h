#pragma once

#include "tessel/table/Drawing.h"

#include <QSize>

class QPainter;

namespace tessel {

// Paints the drawing on a white ground into an area of `size` logical pixels; labels use
// the painter's font (a widget's own font when painting a widget).
void renderDrawing(QPainter &painter, const Drawing &drawing, QSize size);

} // namespace tessel
