#pragma once

// Finds the files under a list's folder that no entry of the list names, by the rules the
// maker lists files by: folders whose name begins with "." are not entered, files named
// CheckSum.md5 or like a make's temporary file, the list itself, names the list's kind
// cannot carry, and anything but a regular file are left out. Sub folders are searched
// when some entry lies in one.

#include "checksum/CheckFileKinds.h"
#include "checksum/DigestPipeline.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace sumwarden {

class NewFileFinder {
public:
    using NewFileHandler = std::function<void(const std::string& path, const FileOutcome&)>;
    using FolderFailureHandler = std::function<void(const std::string& path, int errorNumber)>;

    // folder: the list's folder as reports show it ("" or ending in "/"); listPath: the list.
    NewFileFinder(std::string folder, const std::string& listPath);

    // Notes an entry of the list, its path as written there.
    void Listed(CheckFileKind kind, std::string_view entryPath);

    // Walks the folder, hashing each new file on the pipeline, and finishes the pipeline.
    // onNewFile gets each new file's path as reports show it and its outcome, in walk order
    // (an unreadable one too, with the reason); onFolderNotOpened each folder that could not
    // be searched, in its place.
    void Find(DigestPipeline& pipeline, NewFileHandler onNewFile,
              FolderFailureHandler onFolderNotOpened) const;

private:
    std::string folder_;
    std::string absoluteFolder_;
    std::string listName_;
    std::optional<FolderIdentity> list_;
    std::optional<CheckFileKind> kind_;
    std::unordered_set<std::string> listed_;
    bool subFolders_ = false;
};

} // namespace sumwarden
