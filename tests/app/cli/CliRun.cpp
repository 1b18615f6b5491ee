#include "tests/app/cli/CliRun.h"

#include "tests/platform/TestFiles.h"

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace sumwarden::testing {

CliRun RunCli(const std::vector<std::string>& arguments, As as,
              const std::function<void()>& prepare) {
    ScratchFolder outputs;
    const std::string outPath = outputs / "out";
    const std::string errPath = outputs / "err";
    // The build tree may lie where the unprivileged user cannot go (a home folder of mode
    // 0700): that user runs a copy from the scratch folder.
    std::string program = SUMWARDEN_CLI;
    if (as == As::Unprivileged) {
        program = outputs / "sumwarden-cli";
        std::filesystem::copy_file(SUMWARDEN_CLI, program);
        std::filesystem::permissions(program, std::filesystem::perms(0755));
    }
    const auto body = [&] {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
            return 127;
        }
        if (prepare) {
            prepare();
        }
        std::vector<char*> argv{program.data()};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        return 127;
    };
    const int exitCode = as == As::Unprivileged ? RunUnprivileged(body) : RunInChild(body);
    return {exitCode, ReadWholeFile(outPath), ReadWholeFile(errPath)};
}

} // namespace sumwarden::testing
