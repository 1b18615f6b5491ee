#include "platform/ReplacingFile.h"

#include "platform/Interruption.h"
#include "platform/IoError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

constexpr std::size_t kWriteBufferSize = 64 * 1024;
constexpr int kCreateAttempts = 100;

std::string UniqueSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return text;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& folder, const std::string& name)
    : folderPrefix_(folder.empty() || folder.back() == '/' ? folder : folder + "/"),
      targetPath_(folderPrefix_ + name) {
    // A file the user may not overwrite stays as it is, as with an ordinary truncating open.
    if (::access(targetPath_.c_str(), F_OK) == 0 && ::access(targetPath_.c_str(), W_OK) != 0) {
        ThrowLastIoError();
    }
    pending_.reserve(kWriteBufferSize);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporaryName_ = "." + name + "." + UniqueSuffix();
        // Mode 0666 lets the umask decide, as for any newly created file.
        file_ = FileDescriptor(::open((folderPrefix_ + temporaryName_).c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file_.IsOpen()) {
            SetFileToRemoveOnInterrupt(folderPrefix_ + temporaryName_);
            return;
        }
        if (errno != EEXIST) {
            ThrowLastIoError();
        }
    }
    throw IoError(EEXIST);
}

ReplacingFile::~ReplacingFile() {
    ClearFileToRemoveOnInterrupt();
    if (!committed_) {
        file_.Close();
        ::unlink((folderPrefix_ + temporaryName_).c_str());
    }
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
    if (::fsync(file_.Get()) != 0 || !file_.Close()) {
        ThrowLastIoError();
    }
    if (::rename((folderPrefix_ + temporaryName_).c_str(), targetPath_.c_str()) != 0) {
        ThrowLastIoError();
    }
    ClearFileToRemoveOnInterrupt();
    committed_ = true;
    // Make the rename itself durable; the new file is complete whatever happens here.
    FileDescriptor folder(::open(folderPrefix_.empty() ? "." : folderPrefix_.c_str(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen()) {
        ::fsync(folder.Get());
    }
}

} // namespace sumwarden
