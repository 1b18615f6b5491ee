#include "app/cli/CliOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sumwarden::cli {
namespace {

void Write(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0) {
        throw OutputError(errno != 0 ? errno : EIO);
    }
}

} // namespace

OutputError::OutputError(int errorNumber)
    : std::runtime_error("write error on standard output: " +
                         std::string(std::strerror(errorNumber))),
      errorNumber_(errorNumber) {}

void PrintLine(std::string_view line) {
    std::string text(line);
    text += '\n';
    Write(text);
}

void PrintText(std::string_view text) {
    Write(text);
}

void FinishOutput() {
    Write({});
    if (std::ferror(stdout)) {
        throw OutputError(EIO);
    }
}

void PrintError(std::string_view text) {
    std::string line = "sumwarden-cli: ";
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace sumwarden::cli
