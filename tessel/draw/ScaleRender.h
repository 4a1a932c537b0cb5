#pragma once

#include "tessel/table/Drawing.h"

#include <QRect>

#include <functional>
#include <vector>

class QPainter;

namespace tessel {

// The step between a scale's labelled ticks: the least of 1, 2 and 5 times a power of ten at
// which labels `room(step)` pixels long (with a gap) fit between ticks `pixels` pixels apart
// over values from lo to hi, as GMT's colorbar -Baf chooses its annotations.
double tickStep(double lo, double hi, double pixels,
                const std::function<double(double step)> &room);
// The multiples of `step` from lo to hi.
std::vector<double> ticks(double lo, double hi, double step);
// A tick's label: as few decimals as the step needs.
QString tickLabel(double value, double step);

// A colour bar in `pixels`: along its longer side, its bands from lo (left, or at the foot)
// to hi, framed, with ticks and their labels under it (or to its right).
void paintScale(QPainter &painter, const QRect &pixels, const Scale &scale);

} // namespace tessel
