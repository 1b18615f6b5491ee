// Time spent by a piece of work: wall-clock seconds, which a user waits, and seconds of
// the calling thread's processor time, which do not count the time other programs on a
// busy machine took from it.
#pragma once

#include <chrono>
#include <ctime>

struct TSpent {
    double Wall = 0;
    double Cpu = 0;
};

inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Started when made; Spent() is the time since.
class TStopwatch {
public:
    TSpent Spent() const {
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - FWall).count(),
                ThreadCpuSeconds() - FCpu};
    }

private:
    std::chrono::steady_clock::time_point FWall = std::chrono::steady_clock::now();
    double FCpu = ThreadCpuSeconds();
};
