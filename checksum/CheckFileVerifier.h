#pragma once

// Verifies the files a check file lists: one report line per entry, then the summary and
// the lists of changed, lost and unreadable files.

#include "checksum/DigestPipeline.h"
#include "checksum/Report.h"
#include "platform/PathList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumwarden {

// The text of the "Error" message box when the check file field cannot be used, else nothing.
std::optional<std::string_view> RefuseCheckFile(const std::string& checkFileText);

struct VerifyCounts {
    std::size_t unchanged = 0;
    std::size_t changed = 0;
    std::size_t missing = 0;
    std::size_t unopenable = 0;
};

struct VerifyResult {
    VerifyCounts counts;
    // Full paths in check-file order; past a small number they wait in a temporary file.
    PathList changedFiles;
    PathList missingFiles;
    PathList unopenableFiles;
    // Lines starting with ";": a file with neither these nor entries is no check file.
    std::size_t commentLines = 0;
    // The job was stopped through its control before every entry was verified.
    bool stopped = false;

    std::size_t Entries() const {
        return counts.unchanged + counts.changed + counts.missing + counts.unopenable;
    }
    bool LooksLikeACheckFile() const { return Entries() + commentLines > 0; }

    bool AllUnchanged() const {
        return counts.changed == 0 && counts.missing == 0 && counts.unopenable == 0;
    }
};

// "N files were verified. ..." with its closing blank.
std::string VerifySummaryLine(const VerifyCounts& counts);

// Verifies the check file named exactly as typed (RefuseCheckFile passed). A check file that
// cannot be opened or read throws IoError; the lines reported so far stay reported. Files
// are hashed by `jobs` threads; the lines are the same for any number. With a control in
// the observer, the entries (and their bytes, when wanted) are counted there meanwhile; a stop
// requested there ends the lines with how many entries were verified, then the summary and
// the lists of those.
VerifyResult VerifyCheckFile(const std::string& checkFilePath, const LineSink& report,
                             std::size_t jobs = DefaultJobCount());
VerifyResult VerifyCheckFile(const std::string& checkFilePath, const JobObserver& report,
                             std::size_t jobs = DefaultJobCount());

} // namespace sumwarden
