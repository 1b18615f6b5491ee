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

void ListFileDigests(const std::vector<std::string>& paths,
                     const std::function<void(const FileDigestRow&)>& onRow, std::size_t jobs) {
    DigestPipeline pipeline(jobs);
    for (const std::string& path : paths) {
        pipeline.Hash(OpenByPath(path), [&onRow, path](const FileOutcome& outcome) {
            onRow(FileDigestRowOf(path, outcome));
        });
    }
    pipeline.Finish();
}

} // namespace sumwarden
