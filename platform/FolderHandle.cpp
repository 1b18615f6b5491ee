#include "platform/FolderHandle.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

constexpr int kListFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr int kLookupFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
constexpr int kFileFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

bool Nameable(std::string_view path) {
    return path.find('\0') == std::string_view::npos;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

EntryKind KindOf(int folderDescriptor, const char* name, unsigned char type) {
    if (type == DT_DIR) {
        return EntryKind::Folder;
    }
    if (type == DT_UNKNOWN) {
        struct stat status {};
        if (::fstatat(folderDescriptor, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            return EntryKind::File;
        }
        if (S_ISDIR(status.st_mode)) {
            return EntryKind::Folder;
        }
        if (!S_ISLNK(status.st_mode)) {
            return EntryKind::File;
        }
    } else if (type != DT_LNK) {
        return EntryKind::File;
    }
    struct stat target {};
    if (::fstatat(folderDescriptor, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
        return EntryKind::LinkToFolder;
    }
    return EntryKind::File;
}

struct OpenedEntry {
    FileDescriptor descriptor;
    struct stat status;
};

// Opens with the hashing flags and asks what was opened; nothing when either fails.
std::optional<OpenedEntry> OpenWithStatus(int folder, const char* path) {
    OpenedEntry opened{FileDescriptor(::openat(folder, path, kFileFlags)), {}};
    if (!opened.descriptor.IsOpen() || ::fstat(opened.descriptor.Get(), &opened.status) != 0) {
        return std::nullopt;
    }
    return opened;
}

EntryLookup HashableFile(OpenedEntry opened) {
    return {true, std::move(opened.descriptor), static_cast<std::uint64_t>(opened.status.st_size)};
}

} // namespace

EntryLookup OpenForDigestAt(int folder, const std::string& name) {
    std::optional<OpenedEntry> opened =
        Nameable(name) ? OpenWithStatus(folder, name.c_str()) : std::nullopt;
    if (!opened || !S_ISREG(opened->status.st_mode)) {
        return {true, std::nullopt};
    }
    return HashableFile(std::move(*opened));
}

std::optional<FileDescriptor> OpenRegularFileAt(int folder, const std::string& name) {
    return OpenForDigestAt(folder, name).file;
}

bool NamesNonFolderAt(int folder, const std::string& name) {
    struct stat status {};
    if (!Nameable(name) || ::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    if (!S_ISLNK(status.st_mode)) {
        return !S_ISDIR(status.st_mode);
    }
    struct stat target {};
    return ::fstatat(folder, name.c_str(), &target, 0) != 0 || !S_ISDIR(target.st_mode);
}

std::uint64_t RegularFileSizeAt(int folder, const std::string& name) {
    struct stat status {};
    if (!Nameable(name) || ::fstatat(folder, name.c_str(), &status, 0) != 0 ||
        !S_ISREG(status.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(status.st_size);
}

std::optional<FolderHandle> FolderHandle::OpenAt(int folder, const char* path, int flags) {
    FileDescriptor descriptor(::openat(folder, path, flags));
    if (!descriptor.IsOpen()) {
        return std::nullopt;
    }
    return FolderHandle(std::move(descriptor));
}

std::optional<FolderHandle> FolderHandle::Open(const std::string& path) {
    if (!Nameable(path)) {
        errno = ENOENT;
        return std::nullopt;
    }
    return OpenAt(AT_FDCWD, path.empty() ? "." : path.c_str(), kListFlags);
}

std::optional<FolderHandle> FolderHandle::OpenForLookup(const std::string& path) {
    if (!Nameable(path)) {
        errno = ENOENT;
        return std::nullopt;
    }
    return OpenAt(AT_FDCWD, path.empty() ? "." : path.c_str(), kLookupFlags);
}

std::optional<FolderHandle> FolderHandle::OpenSubFolder(const std::string& name) const {
    return OpenAt(Get(), name.c_str(), kListFlags | O_NOFOLLOW);
}

std::optional<FolderHandle> FolderHandle::OpenParent() const {
    return OpenAt(Get(), "..", kListFlags);
}

std::optional<std::vector<FolderEntry>> FolderHandle::List() const {
    // A descriptor of its own, so listing never moves this one's position.
    FileDescriptor own(::openat(Get(), ".", kListFlags));
    if (!own.IsOpen()) {
        return std::nullopt;
    }
    std::unique_ptr<DIR, DirectoryCloser> directory(::fdopendir(own.Get()));
    if (!directory) {
        return std::nullopt;
    }
    own.Release();
    const int folderDescriptor = ::dirfd(directory.get());
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
            entries.push_back({name, KindOf(folderDescriptor, name, entry->d_type)});
        }
        errno = 0;
    }
    if (errno != 0) {
        return std::nullopt;
    }
    std::sort(
        entries.begin(), entries.end(),
        [](const FolderEntry& left, const FolderEntry& right) { return left.name < right.name; });
    return entries;
}

std::optional<FileDescriptor> FolderHandle::OpenFileForDigest(const std::string& name) const {
    return OpenRegularFileAt(Get(), name);
}

EntryLookup FolderHandle::LookUp(std::string_view relativePath) const {
    if (!Nameable(relativePath)) {
        return {};
    }
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= relativePath.size()) {
        const std::size_t slash = std::min(relativePath.find('/', start), relativePath.size());
        if (slash > start) {
            components.emplace_back(relativePath.substr(start, slash - start));
        }
        start = slash + 1;
    }
    // An empty path or one that ends in "/" names a folder, never a file; ".." would leave
    // the folder.
    if (components.empty() || relativePath.ends_with('/') ||
        std::find(components.begin(), components.end(), "..") != components.end()) {
        return {};
    }
    // One open through the whole path settles nearly every entry. What it cannot settle (a
    // failed open, a path longer than the system takes) is looked up name by name, which
    // tells a missing name from one that exists but cannot be opened.
    std::string joined = components.front();
    for (std::size_t index = 1; index < components.size(); ++index) {
        joined += '/';
        joined += components[index];
    }
    if (joined.size() < PATH_MAX) {
        if (std::optional<OpenedEntry> opened = OpenWithStatus(Get(), joined.c_str())) {
            if (S_ISDIR(opened->status.st_mode)) {
                return {};
            }
            if (!S_ISREG(opened->status.st_mode)) {
                return {true, std::nullopt};
            }
            return HashableFile(std::move(*opened));
        }
    }
    std::optional<FolderHandle> current;
    int folder = Get();
    for (std::size_t index = 0; index + 1 < components.size(); ++index) {
        current = OpenAt(folder, components[index].c_str(), kLookupFlags);
        if (!current) {
            return {};
        }
        folder = current->Get();
    }
    const std::string& name = components.back();
    if (!NamesNonFolderAt(folder, name)) {
        return {};
    }
    return OpenForDigestAt(folder, name);
}

std::optional<FolderIdentity> FolderHandle::Identity() const {
    struct stat status {};
    if (::fstat(Get(), &status) != 0) {
        return std::nullopt;
    }
    return FolderIdentity{status.st_dev, status.st_ino};
}

} // namespace sumwarden
