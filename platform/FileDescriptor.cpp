#include "platform/FileDescriptor.h"

#include <unistd.h>

namespace sumwarden {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    Close();
}

bool FileDescriptor::Close() {
    if (descriptor_ < 0) {
        return true;
    }
    const int result = ::close(std::exchange(descriptor_, -1));
    return result == 0;
}

} // namespace sumwarden
