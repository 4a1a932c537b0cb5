#include "Export.h"

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
    return format.write(entries, name);
}

} // namespace tessel
