// Feeds arbitrary bytes to the skin-file reader: it must refuse or accept every input
// without crashing, hanging or growing without bound.
#include "skin/core/SKSkinFile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray image =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TskSkinParseResult parsed = ParseSkinFile(image);
    // An accepted file writes back into one that reads the same.
    if (parsed.Ok()) {
        const TskSkinParseResult again = ParseSkinFile(WriteSkinFile(parsed.entries));
        if (!again.Ok() || again.entries.size() != parsed.entries.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
