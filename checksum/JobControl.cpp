#include "checksum/JobControl.h"

#include <algorithm>

namespace sumwarden {
namespace {

int Share(std::uint64_t done, std::uint64_t total) {
    if (total == 0) {
        return 100;
    }
    const double share =
        100.0 * static_cast<double>(std::min(done, total)) / static_cast<double>(total);
    return static_cast<int>(share);
}

} // namespace

std::optional<int> JobControl::Progress::Percent() const {
    if (totalBytes != kUnknown && totalBytes > 0) {
        return Share(bytesRead, totalBytes);
    }
    if (totalFiles != kUnknown) {
        return Share(filesDone, totalFiles);
    }
    return std::nullopt;
}

} // namespace sumwarden
