#pragma once

// What the engine's jobs share with their front ends: one call per output line, the status
// texts, and the trimming of the path fields.

#include "checksum/JobControl.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sumwarden {

// Receives one memo line at a time, as soon as it is known.
using LineSink = std::function<void(const std::string& line)>;

// What a report line tells: how the job goes on, a file or folder that failed (could not be
// opened, changed, missing, a name not supported), or the closing lines and lists.
enum class LineKind { Progress, Failure, Closing };

// What a front end that shows more than the lines is told.
struct JobObserver {
    std::function<void(const std::string& line, LineKind kind)> line;
    // After each file was hashed, with the number of bytes read; may be empty.
    std::function<void(std::uint64_t bytes)> fileHashed;
    // Where the front end asks the job to stop and watches how far it has got; may be null.
    JobControl* control = nullptr;

    void Report(const std::string& text, LineKind kind) const { line(text, kind); }
    void Hashed(std::uint64_t bytes) const {
        if (fileHashed) {
            fileHashed(bytes);
        }
    }
};

// An observer that passes every line to the sink.
JobObserver LinesOnly(const LineSink& sink);

inline constexpr std::string_view kCouldNotOpenFile = "Could not open file";
inline constexpr std::string_view kCouldNotOpenFolder = "Could not open folder";
inline constexpr std::string_view kNameNotSupported = "Name not supported";
// The digest text of a file whose hashing was stopped before it was done.
inline constexpr std::string_view kStopped = "Stopped";

// The text between double quotes, as the report lines show paths and names.
std::string Quoted(std::string_view text);

// True when nothing but blanks and control characters is left of the field.
bool FieldIsBlank(std::string_view text);

} // namespace sumwarden
