#pragma once

// Writes a new version of a file beside it and puts it in place only when complete, so a
// failure never leaves the old file destroyed or a half-written one behind.

#include "platform/FileDescriptor.h"

#include <string>
#include <string_view>

namespace sumwarden {

class ReplacingFile {
public:
    // Creates the temporary file "<folder>/.<name>.<unique>"; throws IoError.
    // The folder is "" for the current folder.
    ReplacingFile(const std::string& folder, const std::string& name);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();

    // Name of the temporary file within the folder.
    const std::string& TemporaryName() const { return temporaryName_; }

    // Buffered write; throws IoError.
    void Write(std::string_view bytes);
    // Flushes, syncs, takes over the permission bits of the file it replaces and renames it
    // over that file; throws IoError.
    void Commit();

private:
    void Flush();

    std::string folderPrefix_;
    std::string targetPath_;
    std::string temporaryName_;
    FileDescriptor file_;
    std::string pending_;
    bool committed_ = false;
};

} // namespace sumwarden
