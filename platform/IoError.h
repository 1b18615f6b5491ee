#pragma once

// Input/output failure of a file the user asked for (the check file), carrying errno.

#include <stdexcept>
#include <string>

namespace sumwarden {

// The text shown for an errno value: "File access denied", "Disk full", "File not found",
// or "I/O error N".
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
