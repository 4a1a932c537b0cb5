// libFuzzer target: the readers of other programs' palettes (and of .shd files), through
// the content sniffing that picks one. A palette that is taken always gives some symbol a
// colour. (A refusal always explains itself: a failure without a message stops the run.)
#include "tessel/formats/Import.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    tessel::ImportOptions options;
    options.symbols = 64;
    const auto read = tessel::parseShadeset(bytes, QStringLiteral("fuzz"), options);
    if (read && read->table.isEmpty() && !bytes.contains("TESSEL")) {
        __builtin_trap();
    }
    return 0;
}
