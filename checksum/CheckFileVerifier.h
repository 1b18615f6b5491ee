#pragma once

// Verifies the files a list names (a check file, md5sum's or BSD tag lines): one report
// line per entry, then the summary and the lists of changed, lost and unreadable files;
// on request also the files added or moved since the list was made.

#include "checksum/DigestPipeline.h"
#include "checksum/Report.h"
#include "platform/PathList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumwarden {

inline constexpr std::string_view kNoCheckFileEntries = "the file holds no check-file entries";

// The text of the "Error" message box when the check file field cannot be used, else nothing.
std::optional<std::string_view> RefuseCheckFile(const std::string& checkFileText);

// kNoCheckFileEntries when the file (RefuseCheckFile passed) holds neither an entry of any
// kind nor a comment line of a check file, else nothing; reads only as far as the first.
// Throws IoError.
std::optional<std::string_view> RefuseCheckFileContent(const std::string& checkFilePath);

struct VerifyCounts {
    std::size_t unchanged = 0;
    std::size_t changed = 0;
    std::size_t missing = 0;
    std::size_t unopenable = 0;
    // Counted, and told in the summary, only when new files are sought.
    bool newFilesSought = false;
    std::size_t added = 0;
    std::size_t moved = 0; // lost entries found again under another name
};

struct VerifyResult {
    VerifyCounts counts;
    // Full paths in check-file order; past a small number they wait in a temporary file.
    PathList changedFiles;
    PathList missingFiles;
    PathList unopenableFiles;
    // In walk order: new files' paths, and moved files as "OLD" -> "NEW".
    PathList newFiles;
    PathList movedFiles;
    std::size_t foldersNotOpened = 0; // while new files were sought
    // The job was stopped through its control before every entry was verified.
    bool stopped = false;

    std::size_t Entries() const {
        return counts.unchanged + counts.changed + counts.missing + counts.unopenable +
               counts.moved;
    }

    bool AllUnchanged() const {
        return counts.changed == 0 && counts.missing == 0 && counts.unopenable == 0 &&
               counts.added == 0 && counts.moved == 0 && foldersNotOpened == 0;
    }
};

struct VerifyOptions {
    // The folder entries resolve against; empty: the check file's own folder.
    std::string baseFolder;
    // Also report the files under that folder that no entry names, and which of them are
    // lost entries under another name.
    bool reportNewFiles = false;
    std::size_t jobs = DefaultJobCount();
};

// "N files were verified. ..." with its closing blank.
std::string VerifySummaryLine(const VerifyCounts& counts);

// Verifies the check file named exactly as typed (RefuseCheckFile passed). A check file that
// cannot be opened or read throws IoError; the lines reported so far stay reported. Files
// are hashed by `jobs` threads; the lines are the same for any number. With a control in
// the observer, the entries (and their bytes, when wanted) are counted there meanwhile; a stop
// requested there ends the lines with how many entries were verified, then the summary and
// the lists of those (no new files: their search did not end). With a control in
// the observer, the entries and their bytes are counted first, for the progress; a stop
// requested there ends the lines with how many entries were verified, then the summary and
// the lists of those.
VerifyResult VerifyCheckFile(const std::string& checkFilePath, const LineSink& report,
                             std::size_t jobs = DefaultJobCount());
VerifyResult VerifyCheckFile(const std::string& checkFilePath, const JobObserver& report,
                             std::size_t jobs = DefaultJobCount());
VerifyResult VerifyCheckFile(const std::string& checkFilePath, const VerifyOptions& options,
                             const JobObserver& report);

} // namespace sumwarden
