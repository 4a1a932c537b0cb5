// libFuzzer target: the readers of other programs' palettes (and of .shd files), through
// the content sniffing that picks one. A refusal always explains itself; a palette that is
// taken always gives some symbol a colour.
#include "tessel/Import.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    tessel::ImportOptions options;
    options.symbols = 64;
    const tessel::ShdReadResult read =
        tessel::parseShadeset(bytes, QStringLiteral("fuzz"), options);
    if (read.shadeset ? read.shadeset->table.isEmpty() && !bytes.contains("TESSEL")
                      : read.error.isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
