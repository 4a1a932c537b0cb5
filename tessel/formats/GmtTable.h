#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace tessel {

// A colour in a GMT table's own model: RGB channels from 0 to 1, or GMT's hue in degrees,
// saturation and value. Slices are straight lines in that model.
struct ModelColor
{
    double a = 0;
    double b = 0;
    double c = 0;
    bool operator==(const ModelColor &o) const { return a == o.a && b == o.b && c == o.c; }
};

struct GmtSlice
{
    double z0 = 0;
    double z1 = 0;
    std::optional<ModelColor> c0; // both absent: a slice GMT skips
    std::optional<ModelColor> c1;
};

struct GmtKey
{
    double z = 0;
    ModelColor color;
};

// A GMT colour palette table as its lines give it: slices "z0 colour z1 colour" or
// categorical keys "key colour", in the file's order.
struct GmtTable
{
    QString name; // from "# NAME = ..."
    bool hsv = false;
    enum class Hinge
    {
        None,
        Soft, // GMT keeps it only where asked
        Hard,
    };
    Hinge hinge = Hinge::None; // at z = 0
    // # RANGE = a/b: the z a master table's own z (normalised) stands for.
    std::optional<std::pair<double, double>> range;
    std::vector<GmtSlice> slices;
    std::vector<GmtKey> keys;
};

// Reads the table line by line from the bytes; a failure names the line.
core::Result<GmtTable> readGmtTable(const QByteArray &bytes, const QString &label);

} // namespace tessel
