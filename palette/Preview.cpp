#include "Preview.h"

#include "ColorNameTable.h"
#include "core/ShadesetName.h"

#include <array>

namespace {

constexpr qint16 kBlackSymbol = 27;

QString patchCommand(int row)
{
    // Written out as the host receives them: ".35" has no leading zero.
    static constexpr std::array<const char *, kColorRows> kPatches = {
        "patch .35 2.45 1.35 2.6", "patch .35 2.75 1.35 2.9", "patch .35 3.05 1.35 3.2",
        "patch .35 3.35 1.35 3.5", "patch .35 3.65 1.35 3.8", "patch .35 3.95 1.35 4.1",
        "patch .35 4.25 1.35 4.4",
    };
    return QString::fromLatin1(kPatches.at(static_cast<std::size_t>(row - 1)));
}

} // namespace

QString paletteCommand()
{
    return QStringLiteral("shadeset %1.shd").arg(QLatin1String(core::kPaletteName));
}

PreviewPlan planPreview(int row, const QString &text)
{
    const std::optional<qint16> found = FindColorIndex(text);
    PreviewPlan plan;
    plan.recognised = found.has_value();
    plan.colorIndex = found.value_or(kBlackSymbol);
    if (row <= 3) {
        plan.commands << paletteCommand();
    }
    plan.commands << QStringLiteral("shadesymbol ") + QString::number(plan.colorIndex)
                  << patchCommand(row);
    return plan;
}
