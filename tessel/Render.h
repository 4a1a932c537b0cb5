#pragma once

#include "Drawing.h"

#include <QSize>

class QPainter;

namespace tessel {

constexpr double kDotsPerInch = 96.0;

// Paints the drawing on a white ground into an area of `size` logical pixels.
void renderDrawing(QPainter &painter, const Drawing &drawing, QSize size);

} // namespace tessel
