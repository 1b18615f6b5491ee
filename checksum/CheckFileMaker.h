#pragma once

// Writes CheckSum.md5 into a folder: one entry per readable file of the walk, and one
// report line per folder and file.

#include "checksum/DigestPipeline.h"
#include "checksum/Report.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sumwarden {

// The text of the "Error" message box when the folder field cannot be used, else nothing.
std::optional<std::string_view> RefuseMakeFolder(const std::string& folderText);

struct MakeResult {
    std::string checkFilePath;
    std::size_t filesListed = 0;
    std::size_t filesNotOpened = 0;
    std::size_t foldersNotOpened = 0;
    std::size_t namesNotSupported = 0;
    // The job was stopped through its control: no check file was written.
    bool stopped = false;

    // True when every file and folder of the walk went into the check file.
    bool Complete() const { return filesNotOpened + foldersNotOpened + namesNotSupported == 0; }
};

// Makes the check file for the folder named exactly as typed (RefuseMakeFolder passed).
// A failure of the check file itself, or a folder that cannot be listed, throws IoError and
// leaves any previous check file as it was; per-file and sub folder outcomes are report
// lines. Files are hashed by `jobs` threads; the lines and the check file are the same for
// any number. With a control in the observer, the files (and their bytes, when wanted) are
// counted there once the walk is done. A stop requested there leaves any previous check file as it
// was too, and ends the lines with a line saying so.
MakeResult MakeCheckFile(const std::string& folderText, bool includeSubFolders,
                         const LineSink& report, std::size_t jobs = DefaultJobCount());
MakeResult MakeCheckFile(const std::string& folderText, bool includeSubFolders,
                         const JobObserver& report, std::size_t jobs = DefaultJobCount());

} // namespace sumwarden
