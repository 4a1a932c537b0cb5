#pragma once

#include "tessel/colour/Check.h"

#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QRect>
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

// Where the picture's panels go, each box holding the panel and its words; an empty box is a
// panel left out. Top to bottom: the title (alone), the bands, L*, the names of the visions'
// pens, the steps, the symbols at the ends, and at the foot, edge to edge, the sine ramp.
// The boxes never meet. Where the picture is too small for every panel, the steps go first
// (with the names and the ends), then L*, then the sine ramp, then the title; the bands stay,
// their names left out where a band is lower than a line or the picture too narrow.
struct CheckLayout
{
    QRect title;
    QRect bands;
    QRect light;
    QRect legend;
    QRect steps;
    QRect ends;
    QRect sine;
    int names = 0; // the width of the column of words on the left; 0: none
    QList<QRect> boxes() const { return {title, bands, light, legend, steps, ends, sine}; }
};
CheckLayout checkLayout(QSize size, const QFontMetrics &metrics, const CheckReport &report,
                        CheckFrame frame);

// The check as a picture on a white ground, laid out as checkLayout says: a band of the table
// for each vision, its name on the left; under them the table's L* against the symbol
// number, and the CIEDE2000 step to each symbol from the one before in each vision; at the
// foot, edge to edge, the sine ramp in 128 rows (a third of the picture where that is less).
// Each panel is drawn within its box. Text in the painter's font.
void paintCheck(QPainter &painter, QSize size, const CheckReport &report,
                CheckFrame frame = CheckFrame::Dialog);

// Kovesi's sine-ramp test image in the table as normal vision sees it: in column x of W and
// row r of R (0 at the top), v = A(r) 12.5 sin(2 pi x / 8) + x (255 - 25)/(W - 1) with
// A(r) = ((R - 1 - r)/(R - 1))^2; each row scaled to 0 to 1 (t) and coloured by the symbol
// first + round(t (last - first)). Where the ripple fades from sight before its row's foot,
// the table is flat there to the eye.
QImage sineRamp(const CheckReport &report, QSize size);

} // namespace tessel
