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

// The C1 controls and the controls that change the direction text runs in, which could
// make a name read as another.
bool IsHiddenControl(char32_t codePoint) {
    return (codePoint >= 0x80 && codePoint <= 0x9f) || codePoint == 0x200e || codePoint == 0x200f ||
           (codePoint >= 0x202a && codePoint <= 0x202e) ||
           (codePoint >= 0x2066 && codePoint <= 0x2069);
}

// The length of the valid UTF-8 sequence of more than one byte that starts at index, with
// its code point; 0 when none starts there.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t index, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[index]);
    std::size_t length = 0;
    // The range the second byte must fall in, which rules out overlong forms, surrogates
    // and code points past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        codePoint = lead & 0x1f;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        codePoint = lead & 0x0f;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (text.size() - index < length) {
        return 0;
    }
    for (std::size_t offset = 1; offset < length; ++offset) {
        const auto next = static_cast<unsigned char>(text[index + offset]);
        if (next < (offset == 1 ? low : 0x80) || next > (offset == 1 ? high : 0xbf)) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3f);
    }
    return length;
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
    const auto escape = [&](std::string_view bytes) {
        for (const char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            escaped += "\\x";
            escaped += kHexDigits[value >> 4];
            escaped += kHexDigits[value & 15];
        }
    };
    for (std::size_t index = 0; index < text.size();) {
        const auto byte = static_cast<unsigned char>(text[index]);
        if (byte < 0x80) {
            if ((byte < 0x20 && byte != '\t') || byte == 0x7f) {
                escape(text.substr(index, 1));
            } else {
                escaped += static_cast<char>(byte);
            }
            ++index;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = Utf8SequenceAt(text, index, codePoint);
        if (length == 0) {
            // A byte outside valid UTF-8: one that a terminal may take as a C1 control is
            // escaped, any other stays as it is.
            if (byte <= 0x9f) {
                escape(text.substr(index, 1));
            } else {
                escaped += static_cast<char>(byte);
            }
            ++index;
            continue;
        }
        if (IsHiddenControl(codePoint)) {
            escape(text.substr(index, length));
        } else {
            escaped += text.substr(index, length);
        }
        index += length;
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
