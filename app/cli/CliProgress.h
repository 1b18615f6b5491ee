#pragma once

// The progress line of a long make or verify on standard error: files and bytes done, with
// their totals, the share done and the time left once they are known, and the rate. It is
// redrawn in place at most ten times a second, also while one large file is read, and
// erased before any other line and when the job ends.

#include "checksum/JobControl.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace sumwarden::cli {

// "3 of 12 files, 1.2 GiB of 4.0 GiB (30%), 512.0 MiB/s, 0:05 left"; each total, the
// share and the time left only when known.
std::string ProgressText(const JobControl::Progress& progress,
                         std::chrono::duration<double> elapsed);

class ProgressLine {
public:
    // Watches the control; draws nothing unless enabled.
    ProgressLine(bool enabled, const JobControl& control);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    // Erases the line.
    ~ProgressLine();

    // Redraws the line now unless it was drawn less than a tenth of a second ago.
    void Update();
    // Runs write (which prints other lines) with the line off the screen.
    void WithoutLine(const std::function<void()>& write);

private:
    using Clock = std::chrono::steady_clock;

    void DrawLocked(Clock::time_point now);
    void EraseLocked();
    void Tick();

    const bool enabled_;
    const JobControl& control_;
    const Clock::time_point start_ = Clock::now();
    std::mutex mutex_; // guards the line on the screen and what follows
    bool shown_ = false;
    bool ending_ = false;
    Clock::time_point lastDrawn_{};
    std::condition_variable wake_;
    std::thread ticker_; // redraws while no file ends, as in a large file
};

} // namespace sumwarden::cli
