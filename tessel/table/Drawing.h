#pragma once

#include "Rgb.h"

#include <QImage>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace tessel {

// Drawn at 96 pixels an inch.
constexpr double kDotsPerInch = 96.0;

// Drawing coordinates are inches from the bottom-left corner of the control, y upwards.
struct InchRect
{
    double x1 = 0;
    double y1 = 0; // bottom edge
    double x2 = 0;
    double y2 = 0; // top edge
};

struct Patch
{
    InchRect rect;
    Rgb fill;
};

// Symbols drawn as bands, the first at the bottom; undefined symbols leave their band empty.
struct Legend
{
    InchRect rect;
    std::vector<std::optional<Rgb>> bands;
    int first = 1; // the symbol of the first band
    QString name;  // of the shadeset the bands show
};

struct Label
{
    double x = 0;
    double y = 0; // baseline
    QString text;
};

// A grid in its table's colours, made at the size it is shown (96 pixels an inch), where it
// fits the rectangle asked for, its cells square.
struct GridImage
{
    InchRect rect;
    QImage image;
};

// A colour bar of a grid's values from lo to hi: each band a symbol's colour over the values
// it stands for; ticks and labels at round values, as many as the bar has room for.
struct ScaleBand
{
    double from = 0;
    double to = 0;
    std::optional<Rgb> colour;
};

struct Scale
{
    InchRect rect;
    std::vector<ScaleBand> bands;
    double lo = 0;
    double hi = 0;
};

using DrawingItem = std::variant<Patch, Legend, Label, GridImage, Scale>;

// What the control shows, in drawing order.
struct Drawing
{
    std::vector<DrawingItem> items;
};

} // namespace tessel
