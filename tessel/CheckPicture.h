#pragma once

#include "Check.h"

#include <QSize>

class QPainter;

namespace tessel {

// The check as a picture on a white ground: a band of the table for each vision, its name on
// the left, and under them the table's L* against the symbol number. Text in the painter's
// font.
void paintCheck(QPainter &painter, QSize size, const CheckReport &report);

} // namespace tessel
