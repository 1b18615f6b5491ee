#pragma once

// The rows of the file digest list: a file's path and its digest text, or
// "Could not open file".

#include "checksum/DigestPipeline.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace sumwarden {

struct FileDigestRow {
    std::string path;
    std::string text; // digest text, or "Could not open file"
    bool opened = false;
};

// The row of a file the pipeline hashed.
FileDigestRow FileDigestRowOf(const std::string& path, const FileOutcome& outcome);

// Hashes the files by `jobs` threads and hands over each row in the order given. With a
// control, the files (and their bytes, when wanted) are counted there first; once a stop is
// requested there, no further row is handed over. The number of rows handed over.
std::size_t HashFileList(const std::vector<std::string>& paths,
                         const std::function<void(const FileDigestRow&)>& onRow, std::size_t jobs,
                         JobControl* control = nullptr);

} // namespace sumwarden
