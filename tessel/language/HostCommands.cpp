// The shade-table and drawing commands of the host.
#include "CommandLine.h"
#include "Host.h"
#include "core/Counted.h"
#include "core/Result.h"
#include "tessel/colour/Equalize.h"
#include "tessel/colour/Perceptual.h"
#include "tessel/table/ColorNames.h"

#include <cmath>

namespace tessel {
Host::Outcome Host::selectSymbol(const QString &rest)
{
    const QString command = QStringLiteral("shadesymbol");
    const QStringList words = blankWords(rest);
    if (words.size() != 1) {
        return failure(StatusBadArguments, command, countError(1, words));
    }
    const auto symbol = parseInteger(words[0]);
    if (!symbol) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("bad number \"%1\"").arg(words[0]));
    }
    if (!ShadeTable::isSymbol(*symbol)) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("symbol %1 is out of range 1 to %2")
                           .arg(*symbol)
                           .arg(ShadeTable::kMaxSymbol));
    }
    const auto rgb = m_table.color(static_cast<int>(*symbol));
    if (!rgb) {
        return failure(
            StatusBadArguments, command,
            QStringLiteral("symbol %1 is not defined in the current shadeset").arg(*symbol));
    }
    m_fill = rgb;
    return ok();
}

Host::Outcome Host::drawPatch(const QString &rest)
{
    const QString command = QStringLiteral("patch");
    const auto n = readRectangle(rest);
    if (!n) {
        return failure(StatusBadArguments, command, n.error());
    }
    if (!m_fill) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("no symbol selected (shadesymbol comes first)"));
    }
    m_drawing.items.emplace_back(Patch{{(*n)[0], (*n)[1], (*n)[2], (*n)[3]}, *m_fill});
    return ok();
}

Host::Outcome Host::clearDrawing(const QString &rest)
{
    if (!rest.isEmpty()) {
        return failure(StatusBadArguments, QStringLiteral("clear"),
                       QStringLiteral("takes no arguments"));
    }
    m_drawing.items.clear();
    return ok();
}

Host::Outcome Host::deleteShades(const QString &rest)
{
    if (rest.compare(QLatin1String("ALL"), Qt::CaseInsensitive) != 0) {
        return failure(StatusBadArguments, QStringLiteral("shadedelete"),
                       QStringLiteral("expected ALL"));
    }
    m_table.clear();
    m_tableName.clear(); // a new table is unnamed until it is saved
    m_values.clear();    // and stands for no values
    m_hinge.reset();
    return ok();
}

Host::Outcome Host::colorRamp(const QString &rest)
{
    const QString command = QStringLiteral("shadecolorramp");
    const auto words = splitWords(rest);
    if (!words) {
        return failure(StatusBadArguments, command, QStringLiteral("unbalanced quotes"));
    }
    if (words->size() != 4) {
        return failure(StatusBadArguments, command, countError(4, *words));
    }
    const auto start = parseInteger(words->at(0));
    const auto count = parseInteger(words->at(1));
    if (!start || !count) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("bad number \"%1\"").arg(words->at(start ? 1 : 0)));
    }
    if (!ShadeTable::isSymbol(*start) || *count < 1 || !ShadeTable::isSymbol(*start + *count - 1)) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("symbols %1 to %2 are out of range 1 to %3")
                           .arg(*start)
                           .arg(*start + *count - 1)
                           .arg(ShadeTable::kMaxSymbol));
    }
    const auto from = lookupColor(words->at(2));
    const auto to = lookupColor(words->at(3));
    if (!from || !to) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("unknown colour \"%1\"").arg(words->at(from ? 3 : 2)));
    }
    const core::Result<RampMix> mix = rampSpace(m_variables.value(QStringLiteral(".rampspace")));
    if (!mix) {
        return failure(StatusBadArguments, command, mix.error());
    }
    fillRamp(m_table, static_cast<int>(*start), static_cast<int>(*count), *from, *to, *mix);
    m_values.clear(); // a table made here stands for no palette's values
    m_hinge.reset();
    return ok();
}

Host::Outcome Host::equalizeShades(const QString &rest)
{
    const QString command = QStringLiteral("shadeequalize");
    const std::optional<Equalize> mode = equalizeMode(rest);
    if (!mode) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("expected perceptual or lightness, not \"%1\"").arg(rest));
    }
    core::Result<ShadeTable> even = equalizeTable(m_table, *mode);
    if (!even) {
        return failure(StatusBadArguments, command, even.error());
    }
    m_table = std::move(*even);
    return ok();
}

Host::Outcome Host::reverseShades(const QString &rest)
{
    const QString command = QStringLiteral("shadereverse");
    if (!rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("takes no arguments"));
    }
    if (m_table.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("the shade table is empty"));
    }
    m_table = reversed(m_table);
    return ok();
}

Host::Outcome Host::drawLegend(const QString &rest)
{
    const QString command = QStringLiteral("shadelegend");
    const QStringList words = blankWords(rest);
    if (words.size() != 4 && words.size() != 6) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("expected 4 or 6 arguments but got %1").arg(words.size()));
    }
    const auto n = readCoordinates(words.mid(0, 4));
    if (!n) {
        return failure(StatusBadArguments, command, n.error());
    }
    long long first = 1;
    long long last = m_table.total();
    if (words.size() == 6) {
        const auto a = parseInteger(words[4]);
        const auto b = parseInteger(words[5]);
        if (!a || !b) {
            return failure(StatusBadArguments, command,
                           QStringLiteral("bad number \"%1\"").arg(words[a ? 5 : 4]));
        }
        first = *a;
        last = *b;
    }
    if (!ShadeTable::isSymbol(first) || !ShadeTable::isSymbol(last) || first > last) {
        return failure(StatusBadArguments, command,
                       QStringLiteral("symbols %1 to %2 are not a range within 1 to %3")
                           .arg(first)
                           .arg(last)
                           .arg(ShadeTable::kMaxSymbol));
    }
    Legend legend{{(*n)[0], (*n)[1], (*n)[2], (*n)[3]}, {}, static_cast<int>(first), m_tableName};
    legend.bands.reserve(static_cast<std::size_t>(last - first + 1));
    for (auto symbol = first; symbol <= last; ++symbol) {
        legend.bands.push_back(m_table.color(static_cast<int>(symbol)));
    }
    m_drawing.items.emplace_back(std::move(legend));
    return ok();
}

Host::Outcome Host::drawLabel(const QString &rest)
{
    const QString command = QStringLiteral("label");
    const SplitLine x = splitFirstWord(rest);
    const SplitLine y = splitFirstWord(x.rest);
    if (y.rest.isEmpty()) {
        return failure(StatusBadArguments, command, QStringLiteral("expected X Y TEXT"));
    }
    const auto n = readCoordinates({x.word, y.word});
    if (!n) {
        return failure(StatusBadArguments, command, n.error());
    }
    m_drawing.items.emplace_back(Label{(*n)[0], (*n)[1], expandShow(y.rest)});
    return ok();
}

} // namespace tessel
