#pragma once

#include <cstdint>

namespace tessel {

// One colour of a shade symbol, 8 bits per channel.
struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb &a, const Rgb &b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const Rgb &a, const Rgb &b) { return !(a == b); }
};

} // namespace tessel
