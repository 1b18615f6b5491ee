#pragma once

// What a running job shares with its front end while it runs: a request to stop, and how
// far the job has got. Every member may be touched from any thread; RequestStop also from
// a signal handler.

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>

namespace sumwarden {

// Thrown out of a job's steps once a stop was requested; the job reports what it did.
struct JobStopped {};

class JobControl {
public:
    static constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

    void RequestStop() noexcept { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const noexcept { return stop_.load(std::memory_order_relaxed); }
    // Throws JobStopped when a stop was requested.
    void ThrowIfStopped() const {
        if (StopRequested()) {
            throw JobStopped{};
        }
    }

    // Every block read, by whichever thread reads it, also within a file not yet done.
    void BytesRead(std::uint64_t count) noexcept {
        bytesRead_.fetch_add(count, std::memory_order_relaxed);
    }
    // Each file whose outcome is handed to the job, in the job's order.
    void FileDone() noexcept { filesDone_.fetch_add(1, std::memory_order_relaxed); }
    // Asks the job to measure the bytes it will read before it reads them, for a share done
    // by bytes: one more look at each file's size, which a job of many small files feels.
    void MeasureTotalBytes() noexcept { measureBytes_.store(true, std::memory_order_relaxed); }
    bool TotalBytesWanted() const noexcept { return measureBytes_.load(std::memory_order_relaxed); }
    // Set once known: the files (or entries) and the bytes the whole job will read (the
    // bytes only when measured).
    void SetTotals(std::uint64_t files, std::uint64_t bytes) noexcept {
        totalBytes_.store(bytes, std::memory_order_relaxed);
        totalFiles_.store(files, std::memory_order_relaxed);
    }

    struct Progress {
        std::uint64_t filesDone = 0;
        std::uint64_t bytesRead = 0;
        std::uint64_t totalFiles = kUnknown;
        std::uint64_t totalBytes = kUnknown;

        // The share done, 0 to 100: by bytes when their total is known, else by files;
        // nothing while neither total is known.
        std::optional<int> Percent() const;
    };
    Progress Now() const noexcept {
        return {filesDone_.load(std::memory_order_relaxed),
                bytesRead_.load(std::memory_order_relaxed),
                totalFiles_.load(std::memory_order_relaxed),
                totalBytes_.load(std::memory_order_relaxed)};
    }

private:
    std::atomic<bool> stop_ = false;
    std::atomic<bool> measureBytes_ = false;
    std::atomic<std::uint64_t> bytesRead_ = 0;
    std::atomic<std::uint64_t> filesDone_ = 0;
    std::atomic<std::uint64_t> totalFiles_ = kUnknown;
    std::atomic<std::uint64_t> totalBytes_ = kUnknown;
};

} // namespace sumwarden
