#pragma once

// The files of a pipeline waiting for a worker, in queue order. How many reads are in
// flight is not tied to how many threads hash: once a worker's read has had to wait for
// the disk, a read-ahead thread takes the next files before any worker asks for them,
// opens them (open and fstat) and asks the system to start reading them, so the disk has
// many reads queued while each worker hashes what is already in memory. A large file on a
// spinning disk is asked for whole, one file after another in the job's order, so the head
// reads each in one long run instead of seeking between many streams, while the workers
// still hash several side by side.

#include "checksum/JobControl.h"
#include "platform/FolderHandle.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sumwarden {

// Opens the file of a queued item, on whichever thread gets to it first.
using FileOpener = std::function<EntryLookup()>;

struct QueuedFile {
    FileOpener open;
    std::optional<EntryLookup> opened; // by the read-ahead, before a worker took the file
    std::uint64_t advised = 0;         // bytes the read-ahead asked for
    std::uint64_t pacedBytes = 0;      // the size of a large file on a spinning disk
};

class ReadAheadQueue {
public:
    // Files opened ahead by default: enough reads in flight to keep a disk's queue full
    // while the workers hash.
    static constexpr std::size_t kDefaultDepth = 128;

    // depth: how many files may wait opened ahead of the workers; with 0 there is no
    // read-ahead thread and each worker opens the files it takes. A stop requested through
    // the control ends the reading ahead.
    ReadAheadQueue(std::size_t workers, std::size_t depth, const JobControl* control);
    ReadAheadQueue(const ReadAheadQueue&) = delete;
    ReadAheadQueue& operator=(const ReadAheadQueue&) = delete;
    // Ends the read-ahead. Files still queued belong to their owner, which closes what was
    // opened ahead.
    ~ReadAheadQueue();

    void Push(QueuedFile& file);
    // The next file for a worker that holds `active` files, opened (by the read-ahead, or
    // now), or nothing: once the queue is stopped, or when the worker should first hash
    // what it holds. A worker holding files takes another only while it holds no more than
    // any other worker, so a few large files spread over all processors; a worker holding
    // nothing waits for a file.
    QueuedFile* Take(std::size_t worker, std::size_t active);
    // Hands over what the opener of a file from Take found.
    static EntryLookup Open(QueuedFile& file);
    // A file Take gave has been hashed or given up.
    void Done(const QueuedFile& file);
    // Whether a worker's read has yet had to wait for the disk. Until one has, the files
    // are in memory and reading ahead would only cost: the read-ahead sleeps.
    bool DiskWaited() const { return diskWaited_.load(std::memory_order_relaxed); }
    // A worker's read had to wait for the disk: the read-ahead starts, for the rest of the
    // job.
    void NoteDiskWait();
    // Wakes every waiting worker with nothing and ends the read-ahead.
    void Stop();
    // True when no file is waiting for a worker.
    bool Empty();

private:
    void ReadAhead();
    bool PacedFits(std::uint64_t pacedBytes) const;
    bool CanTake() const;
    // Marks a large file on a spinning disk as paced and asks for what it should: the whole
    // of a paced file (up to a bound), the start of any other when adviseEvery is set.
    static void Prepare(QueuedFile& file, bool adviseEvery);
    bool HasRoom() const;
    bool ReaderShouldWake() const;

    const std::size_t depth_;
    const JobControl* const control_;
    std::mutex mutex_;
    std::condition_variable fileAvailable_; // for the workers
    std::condition_variable roomAhead_;     // for the read-ahead
    std::deque<QueuedFile*> unopened_;
    std::deque<QueuedFile*> openedAhead_;  // all queued before every file in unopened_
    std::uint64_t bytesAhead_ = 0;         // asked for ahead by the files in openedAhead_
    std::vector<std::size_t> activeFiles_; // per worker
    std::uint64_t pacedInFlight_ = 0;      // pacedBytes of the files taken and not done
    bool stopping_ = false;
    std::atomic<bool> diskWaited_ = false;
    std::thread reader_;
};

} // namespace sumwarden
