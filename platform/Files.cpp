#include "platform/Files.h"

#include "platform/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

bool Nameable(const std::string& path) {
    return path.find('\0') == std::string::npos;
}

} // namespace

std::optional<FileDescriptor> OpenFileForDigest(const std::string& path) {
    return OpenRegularFileAt(AT_FDCWD, path);
}

bool FileExists(const std::string& path) {
    return NamesNonFolderAt(AT_FDCWD, path);
}

bool FolderExists(const std::string& path) {
    struct stat status {};
    return Nameable(path) && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool RegularFileExists(const std::string& path) {
    struct stat status {};
    return Nameable(path) && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) {
    const std::optional<FolderHandle> folder = FolderHandle::Open(path);
    return folder ? folder->List() : std::nullopt;
}

FileDescriptor OpenForReading(const std::string& path) {
    if (!Nameable(path)) {
        throw IoError(ENOENT);
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.IsOpen()) {
        ThrowLastIoError();
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        ThrowLastIoError();
    }
    if (!S_ISREG(status.st_mode)) {
        throw IoError(kNotARegularFile);
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
