#include "platform/Files.h"

#include "platform/IoError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

bool Nameable(const std::string& path) {
    return path.find('\0') == std::string::npos;
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

} // namespace

std::optional<FileDescriptor> OpenFileForDigest(const std::string& path) {
    if (!Nameable(path)) {
        return std::nullopt;
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return file;
}

bool OpenProbe(const std::string& path) {
    return OpenFileForDigest(path).has_value();
}

bool FileExists(const std::string& path) {
    struct stat status {};
    if (!Nameable(path) || ::lstat(path.c_str(), &status) != 0) {
        return false;
    }
    if (!S_ISLNK(status.st_mode)) {
        return !S_ISDIR(status.st_mode);
    }
    return !FolderExists(path);
}

bool FolderExists(const std::string& path) {
    struct stat status {};
    return Nameable(path) && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) {
    if (!Nameable(path)) {
        return std::nullopt;
    }
    std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(path.empty() ? "." : path.c_str()));
    if (!directory) {
        return std::nullopt;
    }
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

FileDescriptor OpenForReading(const std::string& path) {
    if (!Nameable(path)) {
        throw IoError(ENOENT);
    }
    // The open must not wait for a FIFO's writer; the reads then wait for its data.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.IsOpen()) {
        ThrowLastIoError();
    }
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) < 0) {
        ThrowLastIoError();
    }
    return file;
}

long ReadRetrying(int descriptor, void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return static_cast<long>(count);
        }
    }
}

void AdviseSequential(int descriptor) {
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
}

} // namespace sumwarden
