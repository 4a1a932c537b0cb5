// libFuzzer target: the .shd reader. Whatever it accepts must survive a write and a second
// read unchanged.
#include "tessel/ShdFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const tessel::ShdReadResult read = tessel::parseShd(bytes, QStringLiteral("fuzz.shd"));
    if (!read.shadeset) {
        if (read.error.isEmpty()) {
            __builtin_trap();
        }
        return 0;
    }
    const QByteArray written = tessel::formatShd(read.shadeset->name, read.shadeset->table);
    const tessel::ShdReadResult again = tessel::parseShd(written, QStringLiteral("again.shd"));
    if (!again.shadeset || !(again.shadeset->table == read.shadeset->table) ||
        again.shadeset->name != read.shadeset->name) {
        __builtin_trap();
    }
    return 0;
}
