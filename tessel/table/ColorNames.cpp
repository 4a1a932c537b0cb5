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

// X11's rgb.txt: every name but its numbered shades and greys, below.
constexpr std::array<NamedColor, 138> kColors = {{
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
    {"navyblue", {0, 0, 128}},
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
    {"palevioletred", {219, 112, 147}},
    {"maroon", {176, 48, 96}},
    {"mediumvioletred", {199, 21, 133}},
    {"violetred", {208, 32, 144}},
    {"magenta", {255, 0, 255}},
    {"violet", {238, 130, 238}},
    {"plum", {221, 160, 221}},
    {"orchid", {218, 112, 214}},
    {"mediumorchid", {186, 85, 211}},
    {"darkorchid", {153, 50, 204}},
    {"darkviolet", {148, 0, 211}},
    {"blueviolet", {138, 43, 226}},
    {"purple", {160, 32, 240}},
    {"mediumpurple", {147, 112, 219}},
    {"thistle", {216, 191, 216}},
    {"debianred", {215, 7, 81}},
    {"darkgray", {169, 169, 169}},
    {"darkblue", {0, 0, 139}},
    {"darkcyan", {0, 139, 139}},
    {"darkmagenta", {139, 0, 139}},
    {"darkred", {139, 0, 0}},
    {"lightgreen", {144, 238, 144}},
    {"grayo", {0, 0, 0}},
}};

// The X11 families with four shades, NAME1 to NAME4, as rgb.txt gives them (not quite a
// scaling of the first: X11 rounds each by hand).
struct ShadedColor
{
    const char *key;
    std::array<Rgb, 4> shades;
};

constexpr std::array<ShadedColor, 78> kShaded = {{
    {"snow", {{{255, 250, 250}, {238, 233, 233}, {205, 201, 201}, {139, 137, 137}}}},
    {"seashell", {{{255, 245, 238}, {238, 229, 222}, {205, 197, 191}, {139, 134, 130}}}},
    {"antiquewhite", {{{255, 239, 219}, {238, 223, 204}, {205, 192, 176}, {139, 131, 120}}}},
    {"bisque", {{{255, 228, 196}, {238, 213, 183}, {205, 183, 158}, {139, 125, 107}}}},
    {"peachpuff", {{{255, 218, 185}, {238, 203, 173}, {205, 175, 149}, {139, 119, 101}}}},
    {"navajowhite", {{{255, 222, 173}, {238, 207, 161}, {205, 179, 139}, {139, 121, 94}}}},
    {"lemonchiffon", {{{255, 250, 205}, {238, 233, 191}, {205, 201, 165}, {139, 137, 112}}}},
    {"cornsilk", {{{255, 248, 220}, {238, 232, 205}, {205, 200, 177}, {139, 136, 120}}}},
    {"ivory", {{{255, 255, 240}, {238, 238, 224}, {205, 205, 193}, {139, 139, 131}}}},
    {"honeydew", {{{240, 255, 240}, {224, 238, 224}, {193, 205, 193}, {131, 139, 131}}}},
    {"lavenderblush", {{{255, 240, 245}, {238, 224, 229}, {205, 193, 197}, {139, 131, 134}}}},
    {"mistyrose", {{{255, 228, 225}, {238, 213, 210}, {205, 183, 181}, {139, 125, 123}}}},
    {"azure", {{{240, 255, 255}, {224, 238, 238}, {193, 205, 205}, {131, 139, 139}}}},
    {"slateblue", {{{131, 111, 255}, {122, 103, 238}, {105, 89, 205}, {71, 60, 139}}}},
    {"royalblue", {{{72, 118, 255}, {67, 110, 238}, {58, 95, 205}, {39, 64, 139}}}},
    {"blue", {{{0, 0, 255}, {0, 0, 238}, {0, 0, 205}, {0, 0, 139}}}},
    {"dodgerblue", {{{30, 144, 255}, {28, 134, 238}, {24, 116, 205}, {16, 78, 139}}}},
    {"steelblue", {{{99, 184, 255}, {92, 172, 238}, {79, 148, 205}, {54, 100, 139}}}},
    {"deepskyblue", {{{0, 191, 255}, {0, 178, 238}, {0, 154, 205}, {0, 104, 139}}}},
    {"skyblue", {{{135, 206, 255}, {126, 192, 238}, {108, 166, 205}, {74, 112, 139}}}},
    {"lightskyblue", {{{176, 226, 255}, {164, 211, 238}, {141, 182, 205}, {96, 123, 139}}}},
    {"slategray", {{{198, 226, 255}, {185, 211, 238}, {159, 182, 205}, {108, 123, 139}}}},
    {"lightsteelblue", {{{202, 225, 255}, {188, 210, 238}, {162, 181, 205}, {110, 123, 139}}}},
    {"lightblue", {{{191, 239, 255}, {178, 223, 238}, {154, 192, 205}, {104, 131, 139}}}},
    {"lightcyan", {{{224, 255, 255}, {209, 238, 238}, {180, 205, 205}, {122, 139, 139}}}},
    {"paleturquoise", {{{187, 255, 255}, {174, 238, 238}, {150, 205, 205}, {102, 139, 139}}}},
    {"cadetblue", {{{152, 245, 255}, {142, 229, 238}, {122, 197, 205}, {83, 134, 139}}}},
    {"turquoise", {{{0, 245, 255}, {0, 229, 238}, {0, 197, 205}, {0, 134, 139}}}},
    {"cyan", {{{0, 255, 255}, {0, 238, 238}, {0, 205, 205}, {0, 139, 139}}}},
    {"darkslategray", {{{151, 255, 255}, {141, 238, 238}, {121, 205, 205}, {82, 139, 139}}}},
    {"aquamarine", {{{127, 255, 212}, {118, 238, 198}, {102, 205, 170}, {69, 139, 116}}}},
    {"darkseagreen", {{{193, 255, 193}, {180, 238, 180}, {155, 205, 155}, {105, 139, 105}}}},
    {"seagreen", {{{84, 255, 159}, {78, 238, 148}, {67, 205, 128}, {46, 139, 87}}}},
    {"palegreen", {{{154, 255, 154}, {144, 238, 144}, {124, 205, 124}, {84, 139, 84}}}},
    {"springgreen", {{{0, 255, 127}, {0, 238, 118}, {0, 205, 102}, {0, 139, 69}}}},
    {"green", {{{0, 255, 0}, {0, 238, 0}, {0, 205, 0}, {0, 139, 0}}}},
    {"chartreuse", {{{127, 255, 0}, {118, 238, 0}, {102, 205, 0}, {69, 139, 0}}}},
    {"olivedrab", {{{192, 255, 62}, {179, 238, 58}, {154, 205, 50}, {105, 139, 34}}}},
    {"darkolivegreen", {{{202, 255, 112}, {188, 238, 104}, {162, 205, 90}, {110, 139, 61}}}},
    {"khaki", {{{255, 246, 143}, {238, 230, 133}, {205, 198, 115}, {139, 134, 78}}}},
    {"lightgoldenrod", {{{255, 236, 139}, {238, 220, 130}, {205, 190, 112}, {139, 129, 76}}}},
    {"lightyellow", {{{255, 255, 224}, {238, 238, 209}, {205, 205, 180}, {139, 139, 122}}}},
    {"yellow", {{{255, 255, 0}, {238, 238, 0}, {205, 205, 0}, {139, 139, 0}}}},
    {"gold", {{{255, 215, 0}, {238, 201, 0}, {205, 173, 0}, {139, 117, 0}}}},
    {"goldenrod", {{{255, 193, 37}, {238, 180, 34}, {205, 155, 29}, {139, 105, 20}}}},
    {"darkgoldenrod", {{{255, 185, 15}, {238, 173, 14}, {205, 149, 12}, {139, 101, 8}}}},
    {"rosybrown", {{{255, 193, 193}, {238, 180, 180}, {205, 155, 155}, {139, 105, 105}}}},
    {"indianred", {{{255, 106, 106}, {238, 99, 99}, {205, 85, 85}, {139, 58, 58}}}},
    {"sienna", {{{255, 130, 71}, {238, 121, 66}, {205, 104, 57}, {139, 71, 38}}}},
    {"burlywood", {{{255, 211, 155}, {238, 197, 145}, {205, 170, 125}, {139, 115, 85}}}},
    {"wheat", {{{255, 231, 186}, {238, 216, 174}, {205, 186, 150}, {139, 126, 102}}}},
    {"tan", {{{255, 165, 79}, {238, 154, 73}, {205, 133, 63}, {139, 90, 43}}}},
    {"chocolate", {{{255, 127, 36}, {238, 118, 33}, {205, 102, 29}, {139, 69, 19}}}},
    {"firebrick", {{{255, 48, 48}, {238, 44, 44}, {205, 38, 38}, {139, 26, 26}}}},
    {"brown", {{{255, 64, 64}, {238, 59, 59}, {205, 51, 51}, {139, 35, 35}}}},
    {"salmon", {{{255, 140, 105}, {238, 130, 98}, {205, 112, 84}, {139, 76, 57}}}},
    {"lightsalmon", {{{255, 160, 122}, {238, 149, 114}, {205, 129, 98}, {139, 87, 66}}}},
    {"orange", {{{255, 165, 0}, {238, 154, 0}, {205, 133, 0}, {139, 90, 0}}}},
    {"darkorange", {{{255, 127, 0}, {238, 118, 0}, {205, 102, 0}, {139, 69, 0}}}},
    {"coral", {{{255, 114, 86}, {238, 106, 80}, {205, 91, 69}, {139, 62, 47}}}},
    {"tomato", {{{255, 99, 71}, {238, 92, 66}, {205, 79, 57}, {139, 54, 38}}}},
    {"orangered", {{{255, 69, 0}, {238, 64, 0}, {205, 55, 0}, {139, 37, 0}}}},
    {"red", {{{255, 0, 0}, {238, 0, 0}, {205, 0, 0}, {139, 0, 0}}}},
    {"deeppink", {{{255, 20, 147}, {238, 18, 137}, {205, 16, 118}, {139, 10, 80}}}},
    {"hotpink", {{{255, 110, 180}, {238, 106, 167}, {205, 96, 144}, {139, 58, 98}}}},
    {"pink", {{{255, 181, 197}, {238, 169, 184}, {205, 145, 158}, {139, 99, 108}}}},
    {"lightpink", {{{255, 174, 185}, {238, 162, 173}, {205, 140, 149}, {139, 95, 101}}}},
    {"palevioletred", {{{255, 130, 171}, {238, 121, 159}, {205, 104, 137}, {139, 71, 93}}}},
    {"maroon", {{{255, 52, 179}, {238, 48, 167}, {205, 41, 144}, {139, 28, 98}}}},
    {"violetred", {{{255, 62, 150}, {238, 58, 140}, {205, 50, 120}, {139, 34, 82}}}},
    {"magenta", {{{255, 0, 255}, {238, 0, 238}, {205, 0, 205}, {139, 0, 139}}}},
    {"orchid", {{{255, 131, 250}, {238, 122, 233}, {205, 105, 201}, {139, 71, 137}}}},
    {"plum", {{{255, 187, 255}, {238, 174, 238}, {205, 150, 205}, {139, 102, 139}}}},
    {"mediumorchid", {{{224, 102, 255}, {209, 95, 238}, {180, 82, 205}, {122, 55, 139}}}},
    {"darkorchid", {{{191, 62, 255}, {178, 58, 238}, {154, 50, 205}, {104, 34, 139}}}},
    {"purple", {{{155, 48, 255}, {145, 44, 238}, {125, 38, 205}, {85, 26, 139}}}},
    {"mediumpurple", {{{171, 130, 255}, {159, 121, 238}, {137, 104, 205}, {93, 71, 139}}}},
    {"thistle", {{{255, 225, 255}, {238, 210, 238}, {205, 181, 205}, {139, 123, 139}}}},
}};

std::optional<Rgb> shaded(const QString &key)
{
    const int shade = key.isEmpty() ? 0 : key.back().digitValue();
    if (shade < 1 || shade > 4) {
        return std::nullopt;
    }
    const QString family = key.chopped(1);
    for (const ShadedColor &color : kShaded) {
        if (family == QLatin1String(color.key)) {
            return color.shades[std::size_t(shade - 1)];
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
