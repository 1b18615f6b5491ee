#pragma once

// The progress line of a long make or verify on standard error: files and bytes done and
// the rate, redrawn in place at most ten times a second and erased before any other line
// and when the job ends.

#include <chrono>
#include <cstdint>
#include <string>

namespace sumwarden::cli {

// "12 files, 3.4 MiB, 1.2 MiB/s".
std::string ProgressText(std::uint64_t files, std::uint64_t bytes,
                         std::chrono::duration<double> elapsed);

class ProgressLine {
public:
    explicit ProgressLine(bool enabled);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine();

    void FileDone(std::uint64_t bytes);
    // Takes the line off the screen, so another line can be written in its place.
    void Erase();

private:
    using Clock = std::chrono::steady_clock;

    bool enabled_;
    bool shown_ = false;
    std::uint64_t files_ = 0;
    std::uint64_t bytes_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
};

} // namespace sumwarden::cli
