#pragma once

#include <QString>

constexpr int kColorRows = 7;

// The host command that draws the preview patch of colour row `row` (1 to 7): rows stand
// 0.3 inch apart, row 1 lowest.
QString patchCommand(int row);
