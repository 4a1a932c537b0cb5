#pragma once

#include "Rgb.h"

#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace tessel {

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

using DrawingItem = std::variant<Patch, Legend, Label>;

// What the control shows, in drawing order.
struct Drawing
{
    std::vector<DrawingItem> items;
};

} // namespace tessel
