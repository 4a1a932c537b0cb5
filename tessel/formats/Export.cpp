#include "Export.h"

#include "core/Text.h"

namespace tessel {

core::Result<QByteArray> exportTable(const Format &format, const ShadeTable &table,
                                     const QString &name)
{
    std::vector<Entry> entries;
    for (int symbol = 1; symbol <= table.total(); ++symbol) {
        if (const auto rgb = table.color(symbol)) {
            entries.push_back({symbol, *rgb});
        }
    }
    if (entries.empty()) {
        return core::fail(QStringLiteral("the current shadeset is empty"));
    }
    // A control character would break a line or a reader in every format: none goes in.
    if (const qsizetype at = core::firstControl(name); at >= 0) {
        return core::fail(QStringLiteral("the name holds the control character %1, which no "
                                         "file of another program may carry")
                              .arg(core::codePoint(name[at].unicode())));
    }
    return format.write(entries, name);
}

} // namespace tessel
