// Runs a command with its output discarded and prints its peak resident memory in KiB, so
// scripts can compare runs; with --cpu first, also the processor seconds it used (user and
// system, its children included), which other load on the machine hardly changes.

#include <cstdio>
#include <fcntl.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const bool withCpu = argc > 1 && std::string_view(argv[1]) == "--cpu";
    if (withCpu) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: sumwarden-peak-memory [--cpu] COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const int discard = ::open("/dev/null", O_WRONLY);
        ::dup2(discard, STDOUT_FILENO);
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) < 0) {
        return 2;
    }
    if (withCpu) {
        const double seconds =
            static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        std::printf("%ld %.3f\n", usage.ru_maxrss, seconds);
    } else {
        std::printf("%ld\n", usage.ru_maxrss);
    }
    return 0;
}
