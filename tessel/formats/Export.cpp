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
    // A control character would break a line or a reader in every format: none goes in.
    for (const QChar c : name) {
        if (c.unicode() < 0x20) {
            return core::fail(
                QStringLiteral("the name holds the control character U+%1, which "
                               "no file of another program may carry")
                    .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0')));
        }
    }
    return format.write(entries, name);
}

} // namespace tessel
