// libFuzzer target: the .shd reader. Whatever it accepts must survive a write and a second
// read unchanged.
#include "tessel/table/ShdFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto read = tessel::parseShd(bytes, QStringLiteral("fuzz.shd"));
    if (!read) {
        return 0;
    }
    const QByteArray written = tessel::formatShd(read->name, read->table);
    const auto again = tessel::parseShd(written, QStringLiteral("again.shd"));
    if (!again || !(again->table == read->table) || again->name != read->name) {
        __builtin_trap();
    }
    return 0;
}
