#pragma once

#include "Rgb.h"

#include <QString>

#include <optional>

namespace tessel {

// Resolves a colour text: an X11 colour name (case-blind, blanks ignored, gray or grey),
// with the shades NAME1 to NAME4 and gray0 to gray100, "grayo" for black, or "#rrggbb".
// Anything else is not a colour.
std::optional<Rgb> lookupColor(const QString &text);

} // namespace tessel
