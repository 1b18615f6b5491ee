#include "checksum/FileDigestList.h"

#include "checksum/FileDigest.h"
#include "checksum/Report.h"
#include "platform/FolderHandle.h"

#include <fcntl.h>

namespace sumwarden {

FileDigestRow FileDigestRowOf(const std::string& path, const FileOutcome& outcome) {
    if (outcome.status == FileStatus::Hashed) {
        return {path, DigestToHex(outcome.digest), true};
    }
    return {path, std::string(kCouldNotOpenFile), false};
}

std::size_t HashFileList(const std::vector<std::string>& paths,
                         const std::function<void(const FileDigestRow&)>& onRow, std::size_t jobs,
                         JobControl* control) {
    if (control != nullptr) {
        std::uint64_t bytes = 0;
        for (const std::string& path : paths) {
            bytes += control->TotalBytesWanted() ? RegularFileSizeAt(AT_FDCWD, path) : 0;
        }
        control->SetTotals(paths.size(),
                           control->TotalBytesWanted() ? bytes : JobControl::kUnknown);
    }
    std::size_t handedOver = 0;
    try {
        DigestPipeline pipeline(jobs, control);
        for (const std::string& path : paths) {
            pipeline.Hash(OpenByPath(path), [&](const FileOutcome& outcome) {
                onRow(FileDigestRowOf(path, outcome));
                ++handedOver;
            });
        }
        pipeline.Finish();
    } catch (const JobStopped&) {
        // The rows not handed over are left to the caller to show as stopped.
    }
    return handedOver;
}

} // namespace sumwarden
