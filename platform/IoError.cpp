#include "platform/IoError.h"

#include <cerrno>
#include <cstring>

namespace sumwarden {

std::string IoErrorText(int errorNumber) {
    switch (errorNumber) {
    case kNotARegularFile:
        return "Not a regular file";
    case EACCES:
    case EPERM:
        return "File access denied";
    case ENOSPC:
        return "Disk full";
    case ENOENT:
        return "File not found";
    default: {
        // The thread-safe form: several workers may describe their failures at once.
        char buffer[256];
        return ::strerror_r(errorNumber, buffer, sizeof buffer);
    }
    }
}

IoError::IoError(int errorNumber)
    : std::runtime_error(IoErrorText(errorNumber)), errorNumber_(errorNumber) {}

IoError::IoError(int errorNumber, const std::string& text)
    : std::runtime_error(text), errorNumber_(errorNumber) {}

void ThrowLastIoError() {
    throw IoError(errno);
}

} // namespace sumwarden
