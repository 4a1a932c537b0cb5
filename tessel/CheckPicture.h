#pragma once

#include "Check.h"

#include <QSize>

class QPainter;

namespace tessel {

// Where the picture goes: into the window's dialog, beside the report, or into a file that
// must say on its own what it shows.
enum class CheckFrame
{
    Dialog,
    Alone, // a title line with the name and each vision's length; undefined symbols hatched
};

// The check as a picture on a white ground: a band of the table for each vision, its name on
// the left, and under them the table's L* against the symbol number. Text in the painter's
// font.
void paintCheck(QPainter &painter, QSize size, const CheckReport &report,
                CheckFrame frame = CheckFrame::Dialog);

} // namespace tessel
