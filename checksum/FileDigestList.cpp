#include "checksum/FileDigestList.h"

#include "checksum/FileDigest.h"
#include "checksum/Report.h"

namespace sumwarden {

FileDigestRow FileDigestRowOf(const std::string& path, const FileOutcome& outcome) {
    if (outcome.status == FileStatus::Hashed) {
        return {path, DigestToHex(outcome.digest), true};
    }
    return {path, std::string(kCouldNotOpenFile), false};
}

} // namespace sumwarden
