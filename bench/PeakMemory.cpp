// Runs a command with its output discarded and prints its peak resident memory in KiB, so
// scripts can compare runs.

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sumwarden-peak-memory COMMAND [ARGUMENT...]\n");
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
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
