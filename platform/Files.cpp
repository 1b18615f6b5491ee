#include "platform/Files.h"

#include "platform/IoError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/uio.h>
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

long ReadNotingWait(int descriptor, void* buffer, std::size_t size, bool& waited) {
    iovec piece{buffer, size};
    for (;;) {
        const ssize_t count = ::preadv2(descriptor, &piece, 1, -1, RWF_NOWAIT);
        if (count >= 0) {
            return static_cast<long>(count);
        }
        if (errno != EINTR) {
            break;
        }
    }
    waited = true;
    return ReadRetrying(descriptor, buffer, size);
}

void AdviseSequential(int descriptor) {
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
}

void AdviseWillNeed(int descriptor, std::uint64_t length) {
    ::posix_fadvise(descriptor, 0, static_cast<off_t>(length), POSIX_FADV_WILLNEED);
}

bool StartIsCached(int descriptor, std::uint64_t length) {
    // Looking up every page of a large range costs more than it saves; a few runs of pages
    // spread over it tell the same for a file read once from start to end.
    constexpr std::uint64_t kSamples = 8;
    constexpr std::uint64_t kSamplePages = 16;
    const auto pageSize = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const std::uint64_t pages = (length + pageSize - 1) / pageSize;
    if (pages == 0) {
        return true;
    }
    void* start = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, descriptor, 0);
    if (start == MAP_FAILED) {
        return false;
    }
    std::uint64_t looked = 0;
    std::uint64_t cached = 0;
    unsigned char resident[kSamplePages];
    for (std::uint64_t sample = 0; sample < kSamples; ++sample) {
        const std::uint64_t first = pages * sample / kSamples;
        const std::uint64_t count = std::min(kSamplePages, pages - first);
        if (::mincore(static_cast<char*>(start) + first * pageSize, count * pageSize, resident) !=
            0) {
            ::munmap(start, length);
            return false;
        }
        looked += count;
        cached += static_cast<std::uint64_t>(std::count_if(
            resident, resident + count, [](unsigned char page) { return (page & 1) != 0; }));
    }
    ::munmap(start, length);
    // Nearly all: a few pages may have been dropped while the rest stayed.
    return cached * 10 >= looked * 9;
}

bool OnRotatingDisk(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return false;
    }
    // A partition has no queue of its own: its disk's folder holds the partition's, so the
    // disk's queue is one level up.
    const std::string device = "/sys/dev/block/" + std::to_string(major(status.st_dev)) + ":" +
                               std::to_string(minor(status.st_dev));
    for (const char* queue : {"/queue/rotational", "/../queue/rotational"}) {
        std::ifstream flag(device + queue);
        char rotates = 0;
        if (flag >> rotates) {
            return rotates == '1';
        }
    }
    return false;
}

} // namespace sumwarden
