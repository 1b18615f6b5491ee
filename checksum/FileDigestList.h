#pragma once

// The rows of the file digest list: a file's path and its digest text, or
// "Could not open file".

#include "checksum/DigestPipeline.h"

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

// One call per path, in order, each as soon as its digest and every earlier one are known;
// `jobs` threads hash the files.
void ListFileDigests(const std::vector<std::string>& paths,
                     const std::function<void(const FileDigestRow&)>& onRow,
                     std::size_t jobs = DefaultJobCount());

} // namespace sumwarden
