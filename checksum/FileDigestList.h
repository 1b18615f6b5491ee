#pragma once

// The rows of the file digest list: a file's path and its digest text, or
// "Could not open file".

#include "checksum/DigestPipeline.h"

#include <string>

namespace sumwarden {

struct FileDigestRow {
    std::string path;
    std::string text; // digest text, or "Could not open file"
    bool opened = false;
};

// The row of a file the pipeline hashed.
FileDigestRow FileDigestRowOf(const std::string& path, const FileOutcome& outcome);

} // namespace sumwarden
