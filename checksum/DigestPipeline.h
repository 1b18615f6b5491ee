#pragma once

// Hashes many files at once and hands back their outcomes in the order they were queued.
// The caller (a walk, the check-file reader, an argument list) queues files and ordered
// steps; a read-ahead thread opens the next files and starts their reading, worker threads
// read and hash them, several at a time through the multi-buffer lanes (see
// ReadAheadQueue); every outcome and step then runs on the calling thread, in queue
// order, so what a job prints and writes is exactly what one thread doing one file after
// another would produce. With one job nothing is threaded: each file is hashed when
// queued. The items in flight and the read buffers are bounded, whatever the job's size.

#include "checksum/JobControl.h"
#include "checksum/Md5.h"
#include "checksum/ReadAheadQueue.h"
#include "platform/FolderHandle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sumwarden {

enum class FileStatus {
    Hashed,
    NotOpened, // the open-probe failed or a read failed part way
    Missing,   // the opener found nothing but a folder or nothing at all
};

struct FileOutcome {
    FileStatus status = FileStatus::NotOpened;
    TDigest digest{};
    std::uint64_t bytes = 0; // read and hashed
    int error = 0;           // why it was not opened or read: errno, or kNotARegularFile
};

// Opens the file by its path with the open-probe's rules; it never counts as missing.
FileOpener OpenByPath(std::string path);

// Reads and hashes what the opener found, on the calling thread. With a control, the bytes
// read are counted there, and a stop requested meanwhile ends the reading (NotOpened).
FileOutcome HashOpened(EntryLookup found, JobControl* control = nullptr);

// The processors this process may run on (its affinity mask), at least 1.
std::size_t DefaultJobCount();

class DigestPipeline {
public:
    using OutcomeHandler = std::function<void(const FileOutcome&)>;

    // With a control, every block read is counted there and every outcome handled counts as
    // a file done; once a stop is requested there, reading ends within a block, and Hash,
    // Then and Finish throw JobStopped instead of running more handlers.
    // With more than one job, up to readAhead files are opened and their reading started
    // ahead of the workers (0: each worker opens the files it takes); whatever the depth,
    // the outcomes are the same.
    explicit DigestPipeline(std::size_t jobs, JobControl* control = nullptr,
                            std::size_t readAhead = ReadAheadQueue::kDefaultDepth);
    DigestPipeline(const DigestPipeline&) = delete;
    DigestPipeline& operator=(const DigestPipeline&) = delete;
    // Stops the workers; what is still queued is dropped.
    ~DigestPipeline();

    // Queues the file; onOutcome runs after every earlier item. May run earlier items'
    // handlers and steps, and rethrows what they throw.
    void Hash(FileOpener open, OutcomeHandler onOutcome);
    // Queues a step that needs no file (a report line); it runs in its place in the order.
    void Then(std::function<void()> step);
    // Runs everything still queued, in order.
    void Finish();

private:
    class Shared;
    std::unique_ptr<Shared> shared_;
};

} // namespace sumwarden
