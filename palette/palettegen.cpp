// palettegen FILE: writes the palette shadeset colornames.shd from the colour name table,
// each symbol in the colour Tessel gives its name, so palette and table cannot drift apart.
// (A shadesave cannot make it: Tessel keeps that name for the palette.)
#include "ColorNameTable.h"
#include "core/ShadesetName.h"
#include "tessel/table/ColorNames.h"
#include "tessel/table/ShdFile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    tessel::ShadeTable table;
    for (const ColorEntry &entry : ColorNameTable) {
        const std::optional<tessel::Rgb> rgb = tessel::lookupColor(QLatin1String(entry.text));
        if (!rgb) {
            std::fprintf(stderr, "palettegen: Tessel knows no colour \"%s\"\n", entry.text);
            return 1;
        }
        table.set(entry.symbol, *rgb);
    }
    // No entry names symbol 125; it gets a neutral grey so the table has no hole.
    table.set(125, tessel::Rgb{128, 128, 128});
    const core::Status saved = tessel::writeShdFile(QCoreApplication::arguments().value(1),
                                                    QLatin1String(core::kPaletteName), table);
    if (!saved) {
        std::fprintf(stderr, "palettegen: %s\n", qPrintable(saved.error()));
        return 1;
    }
    return 0;
}
