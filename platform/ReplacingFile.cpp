#include "platform/ReplacingFile.h"

#include "platform/IoError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

constexpr std::size_t kWriteBufferSize = 64 * 1024;
constexpr int kNameAttempts = 100;
constexpr std::size_t kSuffixLength = 16;

std::string UniqueSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    char text[kSuffixLength + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return text;
}

// Mode 0666 lets the umask decide, as for any newly created file.
constexpr mode_t kNewFileMode = 0666;

} // namespace

ReplacingFile::ReplacingFile(const std::string& folder, const std::string& name,
                             Temporary temporary)
    : folderPrefix_(folder.empty() || folder.back() == '/' ? folder : folder + "/"), name_(name),
      targetPath_(folderPrefix_ + name) {
    // A file the user may not overwrite stays as it is, as with an ordinary truncating open.
    if (::access(targetPath_.c_str(), F_OK) == 0 && ::access(targetPath_.c_str(), W_OK) != 0) {
        ThrowLastIoError();
    }
    pending_.reserve(kWriteBufferSize);
    if (temporary == Temporary::UnnamedWherePossible) {
        file_ = FileDescriptor(::open(folderPrefix_.empty() ? "." : folderPrefix_.c_str(),
                                      O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode));
        if (file_.IsOpen()) {
            return;
        }
        // File systems without unnamed files say so in one of these ways.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            ThrowLastIoError();
        }
    }
    Name(true);
}

ReplacingFile::~ReplacingFile() {
    if (!committed_) {
        file_.Close();
        RemoveName();
    }
}

bool ReplacingFile::IsTemporaryName(std::string_view candidate, std::string_view name) {
    const std::size_t prefix = 1 + name.size() + 1;
    return candidate.size() == prefix + kSuffixLength && candidate.front() == '.' &&
           candidate.substr(1, name.size()) == name && candidate[prefix - 1] == '.' &&
           std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(prefix), candidate.end(),
                       [](char digit) {
                           return (digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f');
                       });
}

void ReplacingFile::Name(bool create) {
    const std::string unnamed = "/proc/self/fd/" + std::to_string(file_.Get());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string path = folderPrefix_ + "." + name_ + "." + UniqueSuffix();
        // Registered before the name exists, so no moment is left in which a signal would
        // leave it behind.
        cleanup_.emplace(path);
        bool named = false;
        if (create) {
            file_ = FileDescriptor(
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
            named = file_.IsOpen();
        } else {
            named =
                ::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
        }
        if (named) {
            temporaryPath_ = path;
            return;
        }
        const int error = errno;
        cleanup_.reset();
        if (error != EEXIST) {
            throw IoError(error);
        }
    }
    throw IoError(EEXIST);
}

void ReplacingFile::RemoveName() {
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
    cleanup_.reset();
}

void ReplacingFile::Write(std::string_view bytes) {
    if (pending_.size() + bytes.size() > kWriteBufferSize) {
        Flush();
    }
    if (bytes.size() >= kWriteBufferSize) {
        pending_ = bytes;
        Flush();
        return;
    }
    pending_.append(bytes);
}

void ReplacingFile::Flush() {
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t count =
            ::write(file_.Get(), pending_.data() + written, pending_.size() - written);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowLastIoError();
        }
        written += static_cast<std::size_t>(count);
    }
    pending_.clear();
}

void ReplacingFile::Commit() {
    Flush();
    struct stat existing {};
    if (::stat(targetPath_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(file_.Get(), existing.st_mode & 07777) != 0) {
        ThrowLastIoError();
    }
    if (::fsync(file_.Get()) != 0) {
        ThrowLastIoError();
    }
    // A name cannot replace a file at once, but a rename can: the unnamed file gets a
    // temporary name for the moment of the rename.
    if (temporaryPath_.empty()) {
        Name(false);
    }
    if (!file_.Close()) {
        ThrowLastIoError();
    }
    if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        ThrowLastIoError();
    }
    temporaryPath_.clear();
    cleanup_.reset();
    committed_ = true;
    // Make the rename itself durable; the new file is complete whatever happens here.
    FileDescriptor folder(::open(folderPrefix_.empty() ? "." : folderPrefix_.c_str(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen()) {
        ::fsync(folder.Get());
    }
}

} // namespace sumwarden
