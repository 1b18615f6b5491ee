#pragma once

// Input/output failure of a file the user asked for (the check file), carrying errno.

#include <stdexcept>
#include <string>

namespace sumwarden {

// Stands in for an errno value where a name opened as a file turned out to be something
// that cannot be hashed (a FIFO, a socket, a device): no errno tells that.
inline constexpr int kNotARegularFile = -1;

// The text shown for an errno value: "File access denied", "Disk full" and "File not found"
// for the failures users meet most, the system's own description for any other
// ("Read-only file system"), never a bare number.
std::string IoErrorText(int errorNumber);

class IoError : public std::runtime_error {
public:
    explicit IoError(int errorNumber);
    // A failure that errno does not name well, with a text of its own.
    IoError(int errorNumber, const std::string& text);
    int ErrorNumber() const { return errorNumber_; }

private:
    int errorNumber_;
};

// Throws IoError for the current errno.
[[noreturn]] void ThrowLastIoError();

} // namespace sumwarden
