#pragma once

#include "Result.h"

#include <QString>

namespace core {

// The palette shadeset's name: its file is colornames.shd, and no shadeset may take it.
constexpr char kPaletteName[] = "colornames";

// Whether `name` can name a shadeset file: one file name in one folder on every system, shown
// as it is, and never the palette's. Refused: an empty name, "." and "..", a separator, a
// control character, any of <>:"|?*, a trailing blank or full stop, a Windows device name, a
// bidirectional control, bytes that are not UTF-8 (U+FFFD), and the palette's name, in any
// case. A failure reads "the shadeset name ...".
Status checkShadesetName(const QString &name);

// `name` less one trailing ".shd", matched in any case ("Relief.SHD" gives "Relief").
QString withoutShdSuffix(const QString &name);

} // namespace core
