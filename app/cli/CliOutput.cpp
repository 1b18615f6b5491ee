#include "app/cli/CliOutput.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace sumwarden::cli {
namespace {

using Clock = std::chrono::steady_clock;

// Lines to a file or a pipe go out at least this often, not one system call each.
constexpr Clock::duration kFlushInterval = std::chrono::milliseconds(100);

bool escapeStandardOutput = false;
bool escapeStandardError = false;
bool flushEachLine = true;
Clock::time_point lastFlush;

void Flush() {
    if (std::fflush(stdout) != 0) {
        throw OutputError(errno != 0 ? errno : EIO);
    }
    lastFlush = Clock::now();
}

void Write(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        throw OutputError(errno != 0 ? errno : EIO);
    }
    if (flushEachLine || Clock::now() - lastFlush >= kFlushInterval) {
        Flush();
    }
}

} // namespace

OutputError::OutputError(int errorNumber)
    : std::runtime_error("write error on standard output: " +
                         std::string(std::strerror(errorNumber))),
      errorNumber_(errorNumber) {}

std::string EscapeControlCharacters(std::string_view text) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    const auto escape = [&](unsigned char byte) {
        escaped += "\\x";
        escaped += kHexDigits[byte >> 4];
        escaped += kHexDigits[byte & 15];
    };
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto byte = static_cast<unsigned char>(text[index]);
        const bool c1 = byte == 0xc2 && index + 1 < text.size() &&
                        static_cast<unsigned char>(text[index + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[index + 1]) <= 0x9f;
        if ((byte < 0x20 && byte != '\t') || byte == 0x7f) {
            escape(byte);
        } else if (c1) {
            escape(byte);
            escape(static_cast<unsigned char>(text[++index]));
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

void EscapeOutputFor(bool standardOutput, bool standardError) {
    escapeStandardOutput = standardOutput;
    escapeStandardError = standardError;
}

void FlushEachLine(bool eachLine) {
    flushEachLine = eachLine;
}

void PrintLine(std::string_view line) {
    std::string text = escapeStandardOutput ? EscapeControlCharacters(line) : std::string(line);
    text += '\n';
    Write(text);
}

void PrintText(std::string_view text) {
    Write(text);
}

void FinishOutput() {
    errno = 0;
    Flush();
    if (std::ferror(stdout)) {
        throw OutputError(EIO);
    }
}

void PrintError(std::string_view text) {
    // Whatever standard output holds comes first, also when both streams go to one file.
    std::fflush(stdout);
    std::string line = "sumwarden-cli: ";
    line += escapeStandardError ? EscapeControlCharacters(text) : std::string(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace sumwarden::cli
