#include "Export.h"

#include "core/Text.h"

namespace tessel {

namespace {

// A control character would break a line or a reader in every format: none goes in.
core::Status carried(const QString &name)
{
    if (const qsizetype at = core::firstControl(name); at >= 0) {
        return core::fail(QStringLiteral("the name holds the control character %1, which no "
                                         "file of another program may carry")
                              .arg(core::codePoint(name[at].unicode())));
    }
    return {};
}

} // namespace

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
    const core::Status named = carried(name);
    return named ? format.write(entries, name) : core::Result<QByteArray>(named.failure());
}

core::Result<QByteArray> exportFitted(const Format &format, const std::vector<FittedClass> &classes,
                                      const QString &name)
{
    const core::Status named = carried(name);
    return named ? format.writeFitted(classes, name) : core::Result<QByteArray>(named.failure());
}

} // namespace tessel
