#pragma once

// Owns a POSIX file descriptor and closes it once.

#include <utility>

namespace sumwarden {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(FileDescriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int Get() const { return descriptor_; }
    bool IsOpen() const { return descriptor_ >= 0; }
    // Gives the descriptor up without closing it (its new owner closes it).
    int Release() { return std::exchange(descriptor_, -1); }
    // Closes now and reports the close's own failure through errno (false).
    bool Close();

private:
    int descriptor_ = -1;
};

} // namespace sumwarden
