#include "ColorNames.h"

#include <QLatin1String>

#include <array>
#include <cctype>

namespace tessel {
namespace {

struct NamedColor
{
    const char *key; // lower case, no blanks, "gray" spelling
    Rgb rgb;
};

// The classic X11 values.
constexpr std::array<NamedColor, 129> kColors = {{
    {"snow", {255, 250, 250}},
    {"ghostwhite", {248, 248, 255}},
    {"whitesmoke", {245, 245, 245}},
    {"gainsboro", {220, 220, 220}},
    {"floralwhite", {255, 250, 240}},
    {"oldlace", {253, 245, 230}},
    {"linen", {250, 240, 230}},
    {"antiquewhite", {250, 235, 215}},
    {"papayawhip", {255, 239, 213}},
    {"blanchedalmond", {255, 235, 205}},
    {"bisque", {255, 228, 196}},
    {"peachpuff", {255, 218, 185}},
    {"navajowhite", {255, 222, 173}},
    {"moccasin", {255, 228, 181}},
    {"cornsilk", {255, 248, 220}},
    {"ivory", {255, 255, 240}},
    {"lemonchiffon", {255, 250, 205}},
    {"seashell", {255, 245, 238}},
    {"honeydew", {240, 255, 240}},
    {"mintcream", {245, 255, 250}},
    {"azure", {240, 255, 255}},
    {"aliceblue", {240, 248, 255}},
    {"lavender", {230, 230, 250}},
    {"lavenderblush", {255, 240, 245}},
    {"mistyrose", {255, 228, 225}},
    {"white", {255, 255, 255}},
    {"black", {0, 0, 0}},
    {"darkslategray", {47, 79, 79}},
    {"dimgray", {105, 105, 105}},
    {"slategray", {112, 128, 144}},
    {"lightslategray", {119, 136, 153}},
    {"gray", {190, 190, 190}},
    {"lightgray", {211, 211, 211}},
    {"midnightblue", {25, 25, 112}},
    {"navy", {0, 0, 128}},
    {"cornflowerblue", {100, 149, 237}},
    {"darkslateblue", {72, 61, 139}},
    {"slateblue", {106, 90, 205}},
    {"mediumslateblue", {123, 104, 238}},
    {"lightslateblue", {132, 112, 255}},
    {"mediumblue", {0, 0, 205}},
    {"royalblue", {65, 105, 225}},
    {"blue", {0, 0, 255}},
    {"dodgerblue", {30, 144, 255}},
    {"deepskyblue", {0, 191, 255}},
    {"skyblue", {135, 206, 235}},
    {"lightskyblue", {135, 206, 250}},
    {"steelblue", {70, 130, 180}},
    {"lightsteelblue", {176, 196, 222}},
    {"lightblue", {173, 216, 230}},
    {"powderblue", {176, 224, 230}},
    {"paleturquoise", {175, 238, 238}},
    {"darkturquoise", {0, 206, 209}},
    {"mediumturquoise", {72, 209, 204}},
    {"turquoise", {64, 224, 208}},
    {"cyan", {0, 255, 255}},
    {"lightcyan", {224, 255, 255}},
    {"cadetblue", {95, 158, 160}},
    {"mediumaquamarine", {102, 205, 170}},
    {"aquamarine", {127, 255, 212}},
    {"darkgreen", {0, 100, 0}},
    {"darkolivegreen", {85, 107, 47}},
    {"darkseagreen", {143, 188, 143}},
    {"seagreen", {46, 139, 87}},
    {"mediumseagreen", {60, 179, 113}},
    {"lightseagreen", {32, 178, 170}},
    {"palegreen", {152, 251, 152}},
    {"springgreen", {0, 255, 127}},
    {"lawngreen", {124, 252, 0}},
    {"green", {0, 255, 0}},
    {"chartreuse", {127, 255, 0}},
    {"mediumspringgreen", {0, 250, 154}},
    {"greenyellow", {173, 255, 47}},
    {"limegreen", {50, 205, 50}},
    {"yellowgreen", {154, 205, 50}},
    {"forestgreen", {34, 139, 34}},
    {"olivedrab", {107, 142, 35}},
    {"darkkhaki", {189, 183, 107}},
    {"khaki", {240, 230, 140}},
    {"palegoldenrod", {238, 232, 170}},
    {"lightgoldenrodyellow", {250, 250, 210}},
    {"lightyellow", {255, 255, 224}},
    {"yellow", {255, 255, 0}},
    {"gold", {255, 215, 0}},
    {"lightgoldenrod", {238, 221, 130}},
    {"goldenrod", {218, 165, 32}},
    {"darkgoldenrod", {184, 134, 11}},
    {"rosybrown", {188, 143, 143}},
    {"indianred", {205, 92, 92}},
    {"saddlebrown", {139, 69, 19}},
    {"sienna", {160, 82, 45}},
    {"peru", {205, 133, 63}},
    {"burlywood", {222, 184, 135}},
    {"beige", {245, 245, 220}},
    {"wheat", {245, 222, 179}},
    {"sandybrown", {244, 164, 96}},
    {"tan", {210, 180, 140}},
    {"chocolate", {210, 105, 30}},
    {"firebrick", {178, 34, 34}},
    {"brown", {165, 42, 42}},
    {"darksalmon", {233, 150, 122}},
    {"salmon", {250, 128, 114}},
    {"lightsalmon", {255, 160, 122}},
    {"orange", {255, 165, 0}},
    {"darkorange", {255, 140, 0}},
    {"coral", {255, 127, 80}},
    {"lightcoral", {240, 128, 128}},
    {"tomato", {255, 99, 71}},
    {"orangered", {255, 69, 0}},
    {"red", {255, 0, 0}},
    {"hotpink", {255, 105, 180}},
    {"deeppink", {255, 20, 147}},
    {"pink", {255, 192, 203}},
    {"lightpink", {255, 182, 193}},
    {"darkviolet", {148, 0, 211}},
    {"maroon", {176, 48, 96}},
    {"mediumvioletred", {199, 21, 133}},
    {"violetred", {208, 32, 144}},
    {"magenta", {255, 0, 255}},
    {"violet", {238, 130, 238}},
    {"plum", {221, 160, 221}},
    {"orchid", {218, 112, 214}},
    {"mediumorchid", {186, 85, 211}},
    {"darkorchid", {153, 50, 204}},
    {"blueviolet", {138, 43, 226}},
    {"purple", {160, 32, 240}},
    {"mediumpurple", {147, 112, 219}},
    {"thistle", {216, 191, 216}},
    {"grayo", {0, 0, 0}},
}};

// The X11 families with four shades, NAME1 to NAME4: the first as given, the others at
// 238, 205 and 139 of 255 of it.
constexpr std::array<NamedColor, 78> kShaded = {{
    {"snow", {255, 250, 250}},
    {"seashell", {255, 245, 238}},
    {"antiquewhite", {255, 239, 219}},
    {"bisque", {255, 228, 196}},
    {"peachpuff", {255, 218, 185}},
    {"navajowhite", {255, 222, 173}},
    {"lemonchiffon", {255, 250, 205}},
    {"cornsilk", {255, 248, 220}},
    {"ivory", {255, 255, 240}},
    {"honeydew", {240, 255, 240}},
    {"lavenderblush", {255, 240, 245}},
    {"mistyrose", {255, 228, 225}},
    {"azure", {240, 255, 255}},
    {"slateblue", {131, 111, 255}},
    {"royalblue", {72, 118, 255}},
    {"blue", {0, 0, 255}},
    {"dodgerblue", {30, 144, 255}},
    {"steelblue", {99, 184, 255}},
    {"deepskyblue", {0, 191, 255}},
    {"skyblue", {135, 206, 255}},
    {"lightskyblue", {176, 226, 255}},
    {"slategray", {198, 226, 255}},
    {"lightsteelblue", {202, 225, 255}},
    {"lightblue", {191, 239, 255}},
    {"lightcyan", {224, 255, 255}},
    {"paleturquoise", {187, 255, 255}},
    {"cadetblue", {152, 245, 255}},
    {"turquoise", {0, 245, 255}},
    {"cyan", {0, 255, 255}},
    {"darkslategray", {151, 255, 255}},
    {"aquamarine", {127, 255, 212}},
    {"darkseagreen", {193, 255, 193}},
    {"seagreen", {84, 255, 159}},
    {"palegreen", {154, 255, 154}},
    {"springgreen", {0, 255, 127}},
    {"green", {0, 255, 0}},
    {"chartreuse", {127, 255, 0}},
    {"olivedrab", {192, 255, 62}},
    {"darkolivegreen", {202, 255, 112}},
    {"khaki", {255, 246, 143}},
    {"lightgoldenrod", {255, 236, 139}},
    {"lightyellow", {255, 255, 224}},
    {"yellow", {255, 255, 0}},
    {"gold", {255, 215, 0}},
    {"goldenrod", {255, 193, 37}},
    {"darkgoldenrod", {255, 185, 15}},
    {"rosybrown", {255, 193, 193}},
    {"indianred", {255, 106, 106}},
    {"sienna", {255, 130, 71}},
    {"burlywood", {255, 211, 155}},
    {"wheat", {255, 231, 186}},
    {"tan", {255, 165, 79}},
    {"chocolate", {255, 127, 36}},
    {"firebrick", {255, 48, 48}},
    {"brown", {255, 64, 64}},
    {"salmon", {255, 140, 105}},
    {"lightsalmon", {255, 160, 122}},
    {"orange", {255, 165, 0}},
    {"darkorange", {255, 127, 0}},
    {"coral", {255, 114, 86}},
    {"tomato", {255, 99, 71}},
    {"orangered", {255, 69, 0}},
    {"red", {255, 0, 0}},
    {"deeppink", {255, 20, 147}},
    {"hotpink", {255, 110, 180}},
    {"pink", {255, 181, 197}},
    {"lightpink", {255, 174, 185}},
    {"palevioletred", {255, 130, 171}},
    {"maroon", {255, 52, 179}},
    {"violetred", {255, 62, 150}},
    {"magenta", {255, 0, 255}},
    {"orchid", {255, 131, 250}},
    {"plum", {255, 187, 255}},
    {"mediumorchid", {224, 102, 255}},
    {"darkorchid", {191, 62, 255}},
    {"purple", {155, 48, 255}},
    {"mediumpurple", {171, 130, 255}},
    {"thistle", {255, 225, 255}},
}};

std::optional<Rgb> shaded(const QString &key)
{
    static constexpr int kScale[] = {255, 238, 205, 139};
    const int shade = key.isEmpty() ? 0 : key.back().digitValue();
    if (shade < 1 || shade > 4) {
        return std::nullopt;
    }
    const QString family = key.chopped(1);
    for (const NamedColor &color : kShaded) {
        if (family == QLatin1String(color.key)) {
            const auto scale = [&](std::uint8_t v) {
                return static_cast<std::uint8_t>((v * kScale[shade - 1] + 127) / 255);
            };
            return Rgb{scale(color.rgb.red), scale(color.rgb.green), scale(color.rgb.blue)};
        }
    }
    return std::nullopt;
}

// gray0 to gray100, in X11's own roundings.
std::optional<Rgb> grayLevel(const QString &key)
{
    bool ok = false;
    const int level = key.startsWith(QLatin1String("gray")) ? key.mid(4).toInt(&ok) : -1;
    if (!ok || level < 0 || level > 100 || key.size() > 7) {
        return std::nullopt;
    }
    const int half = level == 50 || level == 90 ? 49 : 50; // X11 rounds these two down
    const auto v = static_cast<std::uint8_t>((level * 255 + half) / 100);
    return Rgb{v, v, v};
}

std::optional<Rgb> parseHex(const QString &text)
{
    if (text.size() != 7) {
        return std::nullopt;
    }
    for (int i = 1; i < text.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text.at(i).toLatin1()))) {
            return std::nullopt;
        }
    }
    const uint value = text.mid(1).toUInt(nullptr, 16);
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

} // namespace

std::optional<Rgb> lookupColor(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('#'))) {
        return parseHex(trimmed);
    }
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace()) {
            key.append(c.toLower());
        }
    }
    key.replace(QLatin1String("grey"), QLatin1String("gray"));
    for (const NamedColor &color : kColors) {
        if (key == QLatin1String(color.key)) {
            return color.rgb;
        }
    }
    if (const std::optional<Rgb> gray = grayLevel(key)) {
        return gray;
    }
    return shaded(key);
}

} // namespace tessel
