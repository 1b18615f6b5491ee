#pragma once

// A folder held open by descriptor. Sub folders, files and entries are reached relative to
// it (openat and friends), so neither the depth of a tree nor the length of its paths
// limits what can be reached.

#include "platform/FileDescriptor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace sumwarden {

enum class EntryKind { File, Folder, LinkToFolder };

struct FolderEntry {
    std::string name;
    EntryKind kind;
};

// Which folder a descriptor holds, to tell whether a folder reached again is the same one.
struct FolderIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// What a path beneath a folder names, looked up component by component: nothing (absent, a
// folder, or a path through something that is not a folder), or a file that is opened for
// hashing when it can be (see OpenFileForDigest).
struct EntryLookup {
    bool exists = false;
    std::optional<FileDescriptor> file;
    std::uint64_t size = 0; // of the file as it was opened
};

// Opens a regular file read-only without blocking, by a name relative to a folder
// descriptor (AT_FDCWD: the current folder); links are followed; folders, FIFOs, sockets
// and devices fail. The lookup counts the name as existing whether or not it opened.
EntryLookup OpenForDigestAt(int folder, const std::string& name);

std::optional<FileDescriptor> OpenRegularFileAt(int folder, const std::string& name);

// True when the name exists and, links followed, is not a folder; a dangling link counts.
bool NamesNonFolderAt(int folder, const std::string& name);

// The size of the regular file the name reaches, links followed; 0 for anything else.
std::uint64_t RegularFileSizeAt(int folder, const std::string& name);

class FolderHandle {
public:
    // Opens a folder to list it; nothing (errno set) when it cannot be opened. Links are
    // followed.
    static std::optional<FolderHandle> Open(const std::string& path);
    // Opens a folder only to reach what lies beneath it: no read permission needed.
    static std::optional<FolderHandle> OpenForLookup(const std::string& path);

    // A sub folder by name, never through a link; nothing (errno set) when it cannot be
    // opened.
    std::optional<FolderHandle> OpenSubFolder(const std::string& name) const;
    // The folder that holds this one.
    std::optional<FolderHandle> OpenParent() const;

    // The entries sorted by name in byte order, without "." and ".."; nothing (errno set)
    // when the folder cannot be listed.
    std::optional<std::vector<FolderEntry>> List() const;

    // Opens a regular file of this folder read-only without blocking; links are followed.
    std::optional<FileDescriptor> OpenFileForDigest(const std::string& name) const;

    // Looks up a relative path beneath this folder; "/" separates components, empty
    // components are skipped, so a leading "/" does not leave the folder, and a path with a
    // ".." component names nothing.
    EntryLookup LookUp(std::string_view relativePath) const;

    std::optional<FolderIdentity> Identity() const;
    int Get() const { return descriptor_.Get(); }
    bool IsOpen() const { return descriptor_.IsOpen(); }
    void Close() { descriptor_.Close(); }

private:
    explicit FolderHandle(FileDescriptor descriptor) : descriptor_(std::move(descriptor)) {}
    static std::optional<FolderHandle> OpenAt(int folder, const char* path, int flags);

    FileDescriptor descriptor_;
};

} // namespace sumwarden
