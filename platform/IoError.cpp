#include "platform/IoError.h"

#include <cerrno>

namespace sumwarden {

std::string IoErrorText(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return "File access denied";
    case ENOSPC:
        return "Disk full";
    case ENOENT:
        return "File not found";
    default:
        return "I/O error " + std::to_string(errorNumber);
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
