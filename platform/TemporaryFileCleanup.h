#pragma once

// Removes temporary files when the process is ended by SIGINT, SIGTERM, SIGHUP or SIGPIPE,
// then lets the signal end it as it would have. Signals the program already handles or
// ignores are left to it.

#include <string>

namespace sumwarden {

class TemporaryFileCleanup {
public:
    // Registers the path until destruction; a path too long to keep is not registered.
    explicit TemporaryFileCleanup(const std::string& path);
    TemporaryFileCleanup(const TemporaryFileCleanup&) = delete;
    TemporaryFileCleanup& operator=(const TemporaryFileCleanup&) = delete;
    ~TemporaryFileCleanup();

    // Removes every registered file now; safe in a signal handler, for a program that
    // handles these signals itself and still ends by one.
    static void RemoveAll() noexcept;

private:
    int slot_ = -1;
};

} // namespace sumwarden
