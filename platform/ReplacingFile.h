#pragma once

// Writes a new version of a file beside it and puts it in place only when complete, so a
// failure never leaves the old file destroyed or a half-written one behind. Until then no
// one sees the new file: it has no name where the file system allows that, and otherwise
// a name of the form ".<name>.<16 hex digits>" that walks skip and that is removed when the
// process is ended by a signal.

#include "platform/FileDescriptor.h"
#include "platform/TemporaryFileCleanup.h"

#include <optional>
#include <string>
#include <string_view>

namespace sumwarden {

class ReplacingFile {
public:
    enum class Temporary { UnnamedWherePossible, Named };

    // Creates the temporary file in the folder ("" for the current folder); throws IoError.
    ReplacingFile(const std::string& folder, const std::string& name,
                  Temporary temporary = Temporary::UnnamedWherePossible);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();

    // Whether candidate is a temporary name of a file called name, of this or any run.
    static bool IsTemporaryName(std::string_view candidate, std::string_view name);

    // Buffered write; throws IoError.
    void Write(std::string_view bytes);
    // Flushes, syncs, takes over the permission bits of the file it replaces and renames it
    // over that file; throws IoError.
    void Commit();

private:
    void Flush();
    // Gives the temporary file a fresh temporary name: creates it, or links the unnamed one.
    void Name(bool create);
    void RemoveName();

    std::string folderPrefix_;
    std::string name_;
    std::string targetPath_;
    std::string temporaryPath_;
    std::optional<TemporaryFileCleanup> cleanup_;
    FileDescriptor file_;
    std::string pending_;
    bool committed_ = false;
};

} // namespace sumwarden
