#include "checksum/ReadAheadQueue.h"

#include "platform/Files.h"

#include <algorithm>

namespace sumwarden {
namespace {

// What the read-ahead asks for at most of one file: a small file whole, the start of a
// large one (the kernel's own read-ahead follows the workers' sequential reads from there).
constexpr std::uint64_t kAdviceWindow = std::uint64_t{1} << 20;
// Everything asked for ahead and not yet taken by a worker: page cache, not our memory,
// but the read-ahead should not push out more of other programs' cache than it needs.
constexpr std::uint64_t kBytesAheadBudget = std::uint64_t{32} << 20;

// The read-ahead, once idle, is woken when this many files wait to be opened and half its
// room is free again, not for each file: on files already in memory the workers would
// otherwise switch with it for every file.
constexpr std::size_t kWakeBatch = 32;

// From this size on a file on a spinning disk, unless its start is already in memory, is
// read in one long run: below it a seek costs little against the read. Up to
// kPacedAdvice it is asked for whole when it is opened, so the disk reads such files one
// after another in the job's order however many the workers hash side by side; a larger
// one is read on past that by the kernel's read-ahead behind its worker, one stream per
// file, so at most two of those are with the workers at a time. Each counts its size
// against kPacedInFlight, a larger one half of it.
constexpr std::uint64_t kPacedFileSize = std::uint64_t{8} << 20;
constexpr std::uint64_t kPacedAdvice = std::uint64_t{64} << 20;
constexpr std::uint64_t kPacedInFlight = std::uint64_t{1} << 30;

} // namespace

ReadAheadQueue::ReadAheadQueue(std::size_t workers, std::size_t depth, const JobControl* control)
    : depth_(depth), control_(control), activeFiles_(std::max<std::size_t>(workers, 1), 0) {
    if (depth_ > 0) {
        reader_ = std::thread([this] { ReadAhead(); });
    }
}

ReadAheadQueue::~ReadAheadQueue() {
    Stop();
    if (reader_.joinable()) {
        reader_.join();
    }
}

void ReadAheadQueue::Push(QueuedFile& file) {
    {
        std::lock_guard lock(mutex_);
        unopened_.push_back(&file);
        if (ReaderShouldWake()) {
            roomAhead_.notify_one();
        }
    }
    fileAvailable_.notify_one();
}

bool ReadAheadQueue::HasRoom() const {
    return openedAhead_.size() < depth_ && bytesAhead_ < kBytesAheadBudget;
}

bool ReadAheadQueue::ReaderShouldWake() const {
    return DiskWaited() && unopened_.size() >= std::min(kWakeBatch, depth_) &&
           openedAhead_.size() <= depth_ / 2 && bytesAhead_ <= kBytesAheadBudget / 2;
}

bool ReadAheadQueue::PacedFits(std::uint64_t pacedBytes) const {
    return pacedBytes == 0 || pacedInFlight_ == 0 || pacedInFlight_ + pacedBytes <= kPacedInFlight;
}

bool ReadAheadQueue::CanTake() const {
    if (!openedAhead_.empty()) {
        return PacedFits(openedAhead_.front()->pacedBytes);
    }
    return !unopened_.empty();
}

void ReadAheadQueue::Prepare(QueuedFile& file, bool adviseEvery) {
    file.advised = 0;
    file.pacedBytes = 0;
    const EntryLookup& found = *file.opened;
    if (!found.file) {
        return;
    }
    if (found.size >= kPacedFileSize && OnRotatingDisk(found.file->Get()) &&
        !StartIsCached(found.file->Get(), std::min(found.size, kPacedAdvice))) {
        file.pacedBytes = found.size <= kPacedAdvice ? found.size : kPacedInFlight / 2;
        file.advised = std::min(found.size, kPacedAdvice);
    } else if (adviseEvery) {
        file.advised = std::min(found.size, kAdviceWindow);
    }
    if (file.advised > 0) {
        AdviseWillNeed(found.file->Get(), file.advised);
    }
}

QueuedFile* ReadAheadQueue::Take(std::size_t worker, std::size_t active) {
    std::unique_lock lock(mutex_);
    activeFiles_[worker] = active;
    for (;;) {
        if (stopping_) {
            return nullptr;
        }
        const std::size_t fewest = *std::min_element(activeFiles_.begin(), activeFiles_.end());
        if (CanTake() && (active == 0 || active <= fewest)) {
            QueuedFile* file = nullptr;
            if (!openedAhead_.empty()) {
                file = openedAhead_.front();
                openedAhead_.pop_front();
                bytesAhead_ -= file->advised;
                if (ReaderShouldWake()) {
                    roomAhead_.notify_one();
                }
            } else {
                // Nothing opened ahead: the worker opens the next file itself, counting it
                // as its own meanwhile so the others share the next files fairly. A large
                // file on a spinning disk that must wait its turn goes back, opened, in
                // front of the others.
                file = unopened_.front();
                unopened_.pop_front();
                activeFiles_[worker] = active + 1;
                lock.unlock();
                file->opened = file->open();
                Prepare(*file, false);
                lock.lock();
                if (!PacedFits(file->pacedBytes)) {
                    activeFiles_[worker] = active;
                    openedAhead_.push_front(file);
                    bytesAhead_ += file->advised;
                    continue;
                }
            }
            pacedInFlight_ += file->pacedBytes;
            activeFiles_[worker] = active + 1;
            return file;
        }
        if (active > 0) {
            return nullptr;
        }
        fileAvailable_.wait(lock);
    }
}

EntryLookup ReadAheadQueue::Open(QueuedFile& file) {
    EntryLookup found = std::move(*file.opened);
    file.opened.reset();
    return found;
}

void ReadAheadQueue::Done(const QueuedFile& file) {
    if (file.pacedBytes == 0) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        pacedInFlight_ -= file.pacedBytes;
    }
    fileAvailable_.notify_all();
}

void ReadAheadQueue::NoteDiskWait() {
    if (DiskWaited()) {
        return;
    }
    std::lock_guard lock(mutex_);
    diskWaited_ = true;
    if (ReaderShouldWake()) {
        roomAhead_.notify_one();
    }
}

void ReadAheadQueue::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    fileAvailable_.notify_all();
    roomAhead_.notify_all();
}

bool ReadAheadQueue::Empty() {
    std::lock_guard lock(mutex_);
    return unopened_.empty() && openedAhead_.empty();
}

// Takes the next unopened file, opens it and asks for its first bytes, then hands it on
// in its place ahead of every file still unopened, as long as there are files and room;
// then sleeps until it should wake. Workers that find nothing opened ahead open the next
// files themselves meanwhile.
void ReadAheadQueue::ReadAhead() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!DiskWaited() || unopened_.empty() || !HasRoom()) {
            roomAhead_.wait(lock, [this] { return stopping_ || ReaderShouldWake(); });
        }
        if (stopping_ || (control_ != nullptr && control_->StopRequested())) {
            return;
        }
        QueuedFile* file = unopened_.front();
        unopened_.pop_front();
        lock.unlock();
        file->opened = file->open();
        Prepare(*file, true);
        lock.lock();
        bytesAhead_ += file->advised;
        openedAhead_.push_back(file);
        fileAvailable_.notify_one();
    }
}

} // namespace sumwarden
