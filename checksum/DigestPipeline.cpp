#include "checksum/DigestPipeline.h"

#include "checksum/FileDigest.h"
#include "checksum/Md5LaneGroup.h"
#include "platform/Files.h"
#include "platform/Processors.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <vector>

namespace sumwarden {
namespace {

// Queued items whose handlers have not run yet: enough to keep every lane of every worker
// busy while one large file holds up the order, small enough to keep memory flat.
constexpr std::size_t kMaxItemsInFlight = 4096;

// A caller waiting for room is woken once this many items are done (or no file is left to
// take), not for each: every wake costs a switch on a processor the workers need.
constexpr std::size_t kWakeBatch = 64;

// All read buffers of all workers together.
constexpr std::size_t kReadBufferBudget = std::size_t{64} << 20;
constexpr std::size_t kMaxReadChunk = std::size_t{64} << 10;
constexpr std::size_t kMinReadChunk = std::size_t{16} << 10;

// How often a caller waiting for the workers looks whether a stop was requested.
constexpr std::chrono::milliseconds kStopPollInterval{20};

// A file to hash (its place in the read-ahead queue) or a step.
struct Item : QueuedFile {
    DigestPipeline::OutcomeHandler onOutcome;
    std::function<void()> step;
    FileOutcome outcome;
    bool done = false;
};

// The outcome of a lookup that gave no file to read.
FileOutcome Unopened(const EntryLookup& found) {
    return {found.exists ? FileStatus::NotOpened : FileStatus::Missing, {}, 0, found.error};
}

void RunHandler(Item& item, JobControl* control) {
    if (item.step) {
        item.step();
        return;
    }
    if (control != nullptr) {
        control->FileDone();
    }
    item.onOutcome(item.outcome);
}

// Looked at before each read of at most one block, so a stop takes effect at once even in
// the middle of a very large file.
bool StopRequested(const JobControl* control) {
    return control != nullptr && control->StopRequested();
}

void CountRead(JobControl* control, std::size_t count) {
    if (control != nullptr) {
        control->BytesRead(count);
    }
}

std::size_t ReadChunkSize(std::size_t workers, std::size_t lanes) {
    const std::size_t share = kReadBufferBudget / (workers * lanes);
    return std::clamp(share, kMinReadChunk, kMaxReadChunk) / 64 * 64;
}

} // namespace

std::size_t DefaultJobCount() {
    return UsableProcessorCount();
}

FileOpener OpenByPath(std::string path) {
    return [path = std::move(path)] { return OpenForDigestAt(AT_FDCWD, path); };
}

FileOutcome HashOpened(EntryLookup found, JobControl* control) {
    if (!found.file) {
        return Unopened(found);
    }
    AdviseSequential(found.file->Get());
    if (const std::optional<OpenedFileDigest> read =
            TryOpenedFileDigest(found.file->Get(), found.size, control)) {
        return {FileStatus::Hashed, read->digest, read->bytes};
    }
    return {FileStatus::NotOpened, {}, 0, errno};
}

class DigestPipeline::Shared {
public:
    Shared(std::size_t jobs, JobControl* control, std::size_t readAhead)
        : jobs_(std::max<std::size_t>(jobs, 1)), control_(control),
          files_(jobs_, jobs_ > 1 ? readAhead : 0, control) {
        if (jobs_ > 1) {
            for (std::size_t worker = 0; worker < jobs_; ++worker) {
                workers_.emplace_back([this, worker] { Work(worker); });
            }
        }
    }

    ~Shared() {
        stopping_ = true;
        files_.Stop();
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }

    void Add(std::unique_ptr<Item> item) {
        ThrowIfStopped();
        if (workers_.empty()) {
            if (!item->step) {
                item->outcome = HashOpened(item->open(), control_);
                ThrowIfStopped();
            }
            RunHandler(*item, control_);
            return;
        }
        std::unique_lock lock(mutex_);
        if (item->step) {
            item->done = true;
            ++doneUnhandled_;
        } else {
            files_.Push(*item);
        }
        window_.push_back(std::move(item));
        RunReady(lock, kMaxItemsInFlight - 1);
    }

    void Finish() {
        if (!workers_.empty()) {
            std::unique_lock lock(mutex_);
            RunReady(lock, 0);
        }
    }

private:
    void ThrowIfStopped() const {
        if (control_ != nullptr) {
            control_->ThrowIfStopped();
        }
    }

    // Runs the handlers of the finished items at the front of the window, in order, then
    // waits until at most `limit` items are left in flight. A stop may be requested from a
    // signal handler, which cannot wake the caller: the wait looks at it now and then.
    void RunReady(std::unique_lock<std::mutex>& lock, std::size_t limit) {
        std::vector<std::unique_ptr<Item>> ready;
        for (;;) {
            if (workerError_) {
                std::rethrow_exception(workerError_);
            }
            if (window_.size() > limit) {
                ThrowIfStopped();
            }
            while (!window_.empty() && window_.front()->done) {
                ready.push_back(std::move(window_.front()));
                window_.pop_front();
            }
            if (!ready.empty()) {
                doneUnhandled_ -= ready.size();
                lock.unlock();
                for (std::unique_ptr<Item>& item : ready) {
                    ThrowIfStopped();
                    RunHandler(*item, control_);
                    item.reset();
                }
                ready.clear();
                lock.lock();
                continue;
            }
            if (window_.size() <= limit) {
                return;
            }
            callerWaiting_ = true;
            frontDone_.wait_for(lock, kStopPollInterval);
            callerWaiting_ = false;
        }
    }

    void Complete(Item* item, const FileOutcome& outcome) {
        std::lock_guard lock(mutex_);
        item->outcome = outcome;
        item->done = true;
        ++doneUnhandled_;
        if (callerWaiting_ && window_.front()->done &&
            (doneUnhandled_ >= kWakeBatch || files_.Empty())) {
            frontDone_.notify_one();
        }
    }

    void Work(std::size_t worker) {
        try {
            HashInLanes(worker);
        } catch (...) {
            std::lock_guard lock(mutex_);
            workerError_ = std::current_exception();
            stopping_ = true;
            files_.Stop();
            frontDone_.notify_one();
        }
    }

    // Keeps every lane fed with a file: reads the next piece of each lane whose blocks are
    // all hashed, and hashes the lanes in step.
    void HashInLanes(std::size_t worker) {
        struct Slot {
            Item* item = nullptr;
            FileDescriptor file;
            std::uint64_t size = 0; // when opened
            std::uint64_t bytes = 0;
            bool ended = false;
        };
        Md5LaneGroup lanes;
        const std::size_t laneCount = lanes.LaneCount();
        const std::size_t chunk = ReadChunkSize(jobs_, laneCount);
        auto buffers = std::make_unique_for_overwrite<std::uint8_t[]>(laneCount * chunk);
        std::vector<Slot> slots(laneCount);
        std::size_t active = 0;
        const auto release = [&](std::size_t lane, const FileOutcome& outcome) {
            files_.Done(*slots[lane].item);
            Complete(slots[lane].item, outcome);
            slots[lane] = Slot{};
            --active;
        };
        for (;;) {
            for (std::size_t lane = 0; lane < laneCount; ++lane) {
                while (slots[lane].item == nullptr) {
                    auto* item = static_cast<Item*>(files_.Take(worker, active));
                    if (item == nullptr) {
                        break;
                    }
                    EntryLookup found = files_.Open(*item);
                    if (!found.file) {
                        files_.Done(*item);
                        Complete(item, Unopened(found));
                        continue;
                    }
                    slots[lane] = Slot{item, std::move(*found.file), found.size};
                    lanes.Start(lane);
                    ++active;
                }
            }
            if (active == 0 || stopping_) {
                return;
            }
            for (std::size_t lane = 0; lane < laneCount; ++lane) {
                if (slots[lane].item == nullptr || lanes.HasPendingBlocks(lane)) {
                    continue;
                }
                Slot& slot = slots[lane];
                if (slot.ended) {
                    release(lane, {FileStatus::Hashed, lanes.Finish(lane), slot.bytes});
                    continue;
                }
                if (StopRequested(control_)) {
                    return;
                }
                std::uint8_t* buffer = buffers.get() + lane * chunk;
                long count = 0;
                if (files_.DiskWaited()) {
                    count = ReadRetrying(slot.file.Get(), buffer, chunk);
                } else {
                    bool waited = false;
                    count = ReadNotingWait(slot.file.Get(), buffer, chunk, waited);
                    // A failed read keeps its errno for the outcome.
                    if (waited && count >= 0) {
                        files_.NoteDiskWait();
                    }
                }
                if (count < 0) {
                    release(lane, {FileStatus::NotOpened, {}, 0, errno});
                } else if (count == 0) {
                    release(lane, {FileStatus::Hashed, lanes.Finish(lane), slot.bytes});
                } else {
                    const auto got = static_cast<std::size_t>(count);
                    CountRead(control_, got);
                    // Read-ahead advice pays only for files larger than one piece.
                    if (slot.bytes == 0 && got == chunk) {
                        AdviseSequential(slot.file.Get());
                    }
                    lanes.Feed(lane, buffer, got);
                    slot.bytes += got;
                    slot.ended = ReadReachedEnd(chunk, got, slot.bytes, slot.size);
                }
            }
            lanes.Compress();
        }
    }

    const std::size_t jobs_;
    JobControl* const control_;
    std::mutex mutex_;
    std::condition_variable frontDone_;
    std::deque<std::unique_ptr<Item>> window_; // every item whose handler has not run
    ReadAheadQueue files_;                     // the files no worker has taken yet
    std::size_t doneUnhandled_ = 0;            // items in the window that are done
    bool callerWaiting_ = false;               // for room in the window, or for the end
    std::atomic<bool> stopping_ = false;       // read by busy workers without the lock
    std::exception_ptr workerError_;
    std::vector<std::thread> workers_;
};

DigestPipeline::DigestPipeline(std::size_t jobs, JobControl* control, std::size_t readAhead)
    : shared_(std::make_unique<Shared>(jobs, control, readAhead)) {}

DigestPipeline::~DigestPipeline() = default;

void DigestPipeline::Hash(FileOpener open, OutcomeHandler onOutcome) {
    auto item = std::make_unique<Item>();
    item->open = std::move(open);
    item->onOutcome = std::move(onOutcome);
    shared_->Add(std::move(item));
}

void DigestPipeline::Then(std::function<void()> step) {
    auto item = std::make_unique<Item>();
    item->step = std::move(step);
    shared_->Add(std::move(item));
}

void DigestPipeline::Finish() {
    shared_->Finish();
}

} // namespace sumwarden
