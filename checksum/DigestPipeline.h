#pragma once

// Hashes many files at once and hands back their outcomes in the order they were queued.
// The caller (a walk, the check-file reader, an argument list) queues files and ordered
// steps; worker threads open, read and hash the files, several at a time through the
// multi-buffer lanes; every outcome and step then runs on the calling thread, in queue
// order, so what a job prints and writes is exactly what one thread doing one file after
// another would produce. With one job nothing is threaded: each file is hashed when
// queued. The items in flight and the read buffers are bounded, whatever the job's size.

#include "checksum/Md5.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace sumwarden {

enum class FileStatus {
    Hashed,
    NotOpened, // the open-probe failed or a read failed part way
    Missing,   // nothing but a folder by that name (asked for by verify only)
};

struct FileOutcome {
    FileStatus status = FileStatus::NotOpened;
    TDigest digest{};
};

// The processors this process may run on (its affinity mask), at least 1.
std::size_t DefaultJobCount();

// How a job tells a file it may not open from one that does not exist.
enum class MissingCheck { No, Yes };

// The outcome of one file, hashed on the calling thread.
FileOutcome HashFile(const std::string& path, MissingCheck missingCheck);

class DigestPipeline {
public:
    using OutcomeHandler = std::function<void(const FileOutcome&)>;

    explicit DigestPipeline(std::size_t jobs);
    DigestPipeline(const DigestPipeline&) = delete;
    DigestPipeline& operator=(const DigestPipeline&) = delete;
    // Stops the workers; what is still queued is dropped.
    ~DigestPipeline();

    // Queues the file; onOutcome runs after every earlier item. May run earlier items'
    // handlers and steps, and rethrows what they throw.
    void Hash(std::string path, MissingCheck missingCheck, OutcomeHandler onOutcome);
    // Queues a step that needs no file (a report line); it runs in its place in the order.
    void Then(std::function<void()> step);
    // Runs everything still queued, in order.
    void Finish();

private:
    class Shared;
    std::unique_ptr<Shared> shared_;
};

} // namespace sumwarden
