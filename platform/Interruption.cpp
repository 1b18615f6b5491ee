#include "platform/Interruption.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace sumwarden {
namespace {

// A fixed buffer: the handler may only read memory that nothing frees or moves.
char gPath[PATH_MAX];
std::atomic<bool> gArmed = false;

extern "C" void RemoveAndEnd(int signalNumber) {
    if (gArmed.load()) {
        ::unlink(gPath);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void RemoveTemporaryFileOnInterrupt() {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

void SetFileToRemoveOnInterrupt(const std::string& path) {
    gArmed = false;
    if (path.size() < sizeof gPath) {
        std::memcpy(gPath, path.c_str(), path.size() + 1);
        gArmed = true;
    }
}

void ClearFileToRemoveOnInterrupt() {
    gArmed = false;
}

} // namespace sumwarden
