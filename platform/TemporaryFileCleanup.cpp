#include "platform/TemporaryFileCleanup.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace sumwarden {
namespace {

constexpr int kSlots = 16;
constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE};

// The handler reads only these: a slot's path is complete before its flag is set.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX];
};
std::array<Slot, kSlots> slots;
std::mutex registration;

extern "C" void RemoveTemporaryFilesAndDie(int signal) {
    TemporaryFileCleanup::RemoveAll();
    // The handler was reset to the default on entry: the signal now ends the process.
    ::raise(signal);
}

void InstallHandlersOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (const int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction cleanup {};
            cleanup.sa_handler = RemoveTemporaryFilesAndDie;
            cleanup.sa_flags = SA_RESETHAND;
            sigemptyset(&cleanup.sa_mask);
            ::sigaction(signal, &cleanup, nullptr);
        }
    });
}

} // namespace

TemporaryFileCleanup::TemporaryFileCleanup(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return;
    }
    InstallHandlersOnce();
    const std::lock_guard lock(registration);
    for (int index = 0; index < kSlots; ++index) {
        Slot& slot = slots[static_cast<std::size_t>(index)];
        if (!slot.used.load(std::memory_order_relaxed)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.used.store(true, std::memory_order_release);
            slot_ = index;
            return;
        }
    }
}

void TemporaryFileCleanup::RemoveAll() noexcept {
    for (Slot& slot : slots) {
        if (slot.used.load(std::memory_order_acquire)) {
            ::unlink(slot.path);
        }
    }
}

TemporaryFileCleanup::~TemporaryFileCleanup() {
    if (slot_ >= 0) {
        const std::lock_guard lock(registration);
        slots[static_cast<std::size_t>(slot_)].used.store(false, std::memory_order_release);
    }
}

} // namespace sumwarden
