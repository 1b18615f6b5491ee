#pragma once

// Runs the built sumwarden-cli in a child process and collects what it wrote.

#include <functional>
#include <string>
#include <vector>

namespace sumwarden::testing {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

enum class As { Caller, Unprivileged };

// Runs the program with the given arguments; prepare runs in the child just before exec.
CliRun RunCli(const std::vector<std::string>& arguments, As as = As::Caller,
              const std::function<void()>& prepare = {});

} // namespace sumwarden::testing
