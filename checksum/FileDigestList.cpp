#include "checksum/FileDigestList.h"

#include "checksum/FileDigest.h"
#include "checksum/Report.h"
#include "platform/Files.h"

namespace sumwarden {

FileDigestRow ComputeFileDigestRow(const std::string& path) {
    if (OpenProbe(path)) {
        if (const std::optional<TDigest> digest = TryFileDigest(path)) {
            return {path, DigestToHex(*digest), true};
        }
    }
    return {path, std::string(kCouldNotOpenFile), false};
}

void ListFileDigests(const std::vector<std::string>& paths,
                     const std::function<void(const FileDigestRow&)>& onRow) {
    for (const std::string& path : paths) {
        onRow(ComputeFileDigestRow(path));
    }
}

} // namespace sumwarden
