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

// "1:05" or "2:03:09".
std::string Duration(double seconds) {
    const auto whole = static_cast<unsigned long long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%llu:%02llu", whole / 60, whole % 60);
    }
    return text;
}

// The share done, 0 to 1, by the measure Percent uses; below 0 when not known.
double Fraction(const JobControl::Progress& progress) {
    if (progress.totalBytes != JobControl::kUnknown && progress.totalBytes > 0) {
        return std::min(1.0, static_cast<double>(progress.bytesRead) /
                                 static_cast<double>(progress.totalBytes));
    }
    if (progress.totalFiles != JobControl::kUnknown && progress.totalFiles > 0) {
        return std::min(1.0, static_cast<double>(progress.filesDone) /
                                 static_cast<double>(progress.totalFiles));
    }
    return -1;
}

void WriteToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace

std::string ProgressText(const JobControl::Progress& progress,
                         std::chrono::duration<double> elapsed) {
    const double seconds = std::max(elapsed.count(), 0.001);
    std::string text = std::to_string(progress.filesDone);
    std::uint64_t files = progress.filesDone;
    if (progress.totalFiles != JobControl::kUnknown) {
        text += " of " + std::to_string(progress.totalFiles);
        files = progress.totalFiles;
    }
    text += files == 1 ? " file, " : " files, ";
    text += Amount(static_cast<double>(progress.bytesRead));
    if (progress.totalBytes != JobControl::kUnknown) {
        text += " of " + Amount(static_cast<double>(progress.totalBytes));
    }
    if (const std::optional<int> percent = progress.Percent()) {
        text += " (" + std::to_string(*percent) + "%)";
    }
    text += ", " + Amount(static_cast<double>(progress.bytesRead) / seconds) + "/s";
    const double done = Fraction(progress);
    if (done > 0 && done < 1) {
        text += ", " + Duration(seconds * (1 - done) / done) + " left";
    }
    return text;
}

ProgressLine::ProgressLine(bool enabled, const JobControl& control)
    : enabled_(enabled), control_(control) {
    if (enabled_) {
        ticker_ = std::thread([this] { Tick(); });
    }
}

ProgressLine::~ProgressLine() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
        EraseLocked();
    }
    wake_.notify_all();
    if (ticker_.joinable()) {
        ticker_.join();
    }
}

void ProgressLine::Update() {
    if (!enabled_) {
        return;
    }
    const std::lock_guard lock(mutex_);
    const Clock::time_point now = Clock::now();
    if (lastDrawn_ == Clock::time_point{} || now - lastDrawn_ >= kRedrawInterval) {
        DrawLocked(now);
    }
}

void ProgressLine::WithoutLine(const std::function<void()>& write) {
    const std::lock_guard lock(mutex_);
    EraseLocked();
    write();
}

void ProgressLine::Tick() {
    std::unique_lock lock(mutex_);
    while (!ending_) {
        wake_.wait_for(lock, kRedrawInterval);
        const Clock::time_point now = Clock::now();
        if (!ending_ && now - lastDrawn_ >= kRedrawInterval) {
            DrawLocked(now);
        }
    }
}

void ProgressLine::DrawLocked(Clock::time_point now) {
    lastDrawn_ = now;
    shown_ = true;
    WriteToStandardError(std::string(kEraseLine) + ProgressText(control_.Now(), now - start_));
}

void ProgressLine::EraseLocked() {
    if (shown_) {
        shown_ = false;
        WriteToStandardError(kEraseLine);
    }
}

} // namespace sumwarden::cli
