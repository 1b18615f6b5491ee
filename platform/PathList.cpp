#include "platform/PathList.h"

#include "platform/IoError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace sumwarden {
namespace {

// Records are the path's length in 8 bytes (this machine's order), then its bytes.
constexpr std::size_t kLengthSize = sizeof(std::uint64_t);
constexpr std::size_t kWriteBatch = 64 * 1024;
constexpr std::size_t kReadBlock = 64 * 1024;

// A file with no name in $TMPDIR (or /tmp): it goes away with its descriptor.
FileDescriptor CreateAnonymousFile() {
    const char* variable = std::getenv("TMPDIR");
    const std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    FileDescriptor file(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.IsOpen()) {
        return file;
    }
    std::string pattern = folder + "/.sumwarden-list-XXXXXX";
    file = FileDescriptor(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file.IsOpen()) {
        ThrowLastIoError();
    }
    ::unlink(pattern.c_str());
    return file;
}

void AppendRecord(std::string& buffer, std::string_view path) {
    const std::uint64_t length = path.size();
    char bytes[kLengthSize];
    std::memcpy(bytes, &length, kLengthSize);
    buffer.append(bytes, kLengthSize);
    buffer.append(path);
}

// Calls visit for each whole record at the front of the bytes; returns what is left.
std::size_t VisitRecords(std::string_view bytes,
                         const std::function<void(const std::string&)>& visit) {
    std::size_t at = 0;
    std::string path;
    while (bytes.size() - at >= kLengthSize) {
        std::uint64_t length = 0;
        std::memcpy(&length, bytes.data() + at, kLengthSize);
        if (bytes.size() - at - kLengthSize < length) {
            break;
        }
        path.assign(bytes.substr(at + kLengthSize, length));
        visit(path);
        at += kLengthSize + length;
    }
    return at;
}

} // namespace

void PathList::Add(std::string_view path) {
    ++size_;
    if (head_.size() < inMemory_) {
        head_.emplace_back(path);
        return;
    }
    AppendRecord(pending_, path);
    if (pending_.size() >= kWriteBatch) {
        FlushPending();
    }
}

void PathList::FlushPending() {
    if (!spill_.IsOpen()) {
        spill_ = CreateAnonymousFile();
    }
    std::size_t written = 0;
    while (written < pending_.size()) {
        const ssize_t count =
            ::pwrite(spill_.Get(), pending_.data() + written, pending_.size() - written,
                     static_cast<off_t>(spilledBytes_ + written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            ThrowLastIoError();
        }
        written += static_cast<std::size_t>(count);
    }
    spilledBytes_ += pending_.size();
    pending_.clear();
}

void PathList::ForEach(const std::function<void(const std::string&)>& visit) const {
    for (const std::string& path : head_) {
        visit(path);
    }
    std::string carried;
    auto block = std::make_unique_for_overwrite<char[]>(kReadBlock);
    for (std::size_t offset = 0; offset < spilledBytes_;) {
        const ssize_t count =
            ::pread(spill_.Get(), block.get(), std::min(kReadBlock, spilledBytes_ - offset),
                    static_cast<off_t>(offset));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            ThrowLastIoError();
        }
        offset += static_cast<std::size_t>(count);
        carried.append(block.get(), static_cast<std::size_t>(count));
        carried.erase(0, VisitRecords(carried, visit));
    }
    VisitRecords(pending_, visit);
}

std::vector<std::string> PathList::Entries() const {
    std::vector<std::string> entries;
    ForEach([&entries](const std::string& path) { entries.push_back(path); });
    return entries;
}

} // namespace sumwarden
