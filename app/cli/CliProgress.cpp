#include "app/cli/CliProgress.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace sumwarden::cli {
namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};
// Back to the start of the line, then clear to its end.
constexpr std::string_view kEraseLine = "\r\033[K";

std::string Amount(double bytes) {
    static constexpr std::array<const char*, 5> kUnits = {"B", "KiB", "MiB", "GiB", "TiB"};
    std::size_t unit = 0;
    while (bytes >= 1024 && unit + 1 < kUnits.size()) {
        bytes /= 1024;
        ++unit;
    }
    char text[32];
    if (unit == 0) {
        std::snprintf(text, sizeof text, "%.0f %s", bytes, kUnits[unit]);
    } else {
        std::snprintf(text, sizeof text, "%.1f %s", bytes, kUnits[unit]);
    }
    return text;
}

void WriteToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace

std::string ProgressText(std::uint64_t files, std::uint64_t bytes,
                         std::chrono::duration<double> elapsed) {
    const double seconds = std::max(elapsed.count(), 0.001);
    return std::to_string(files) + (files == 1 ? " file, " : " files, ") +
           Amount(static_cast<double>(bytes)) + ", " +
           Amount(static_cast<double>(bytes) / seconds) + "/s";
}

ProgressLine::ProgressLine(bool enabled) : enabled_(enabled) {}

ProgressLine::~ProgressLine() {
    Erase();
}

void ProgressLine::FileDone(std::uint64_t bytes) {
    ++files_;
    bytes_ += bytes;
    const Clock::time_point now = Clock::now();
    if (!enabled_ || (lastDrawn_ != Clock::time_point{} && now - lastDrawn_ < kRedrawInterval)) {
        return;
    }
    lastDrawn_ = now;
    shown_ = true;
    WriteToStandardError(std::string(kEraseLine) + ProgressText(files_, bytes_, now - start_));
}

void ProgressLine::Erase() {
    if (shown_) {
        shown_ = false;
        WriteToStandardError(kEraseLine);
    }
}

} // namespace sumwarden::cli
