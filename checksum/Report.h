#pragma once

// What the engine's jobs share with their front ends: one call per output line, the status
// texts, and the trimming of the path fields.

#include <functional>
#include <string>
#include <string_view>

namespace sumwarden {

// Receives one memo line at a time, as soon as it is known.
using LineSink = std::function<void(const std::string& line)>;

inline constexpr std::string_view kCouldNotOpenFile = "Could not open file";
inline constexpr std::string_view kCouldNotOpenFolder = "Could not open folder";
inline constexpr std::string_view kNameNotSupported = "Name not supported";

// The text between double quotes, as the report lines show paths and names.
std::string Quoted(std::string_view text);

// True when nothing but blanks and control characters is left of the field.
bool FieldIsBlank(std::string_view text);

} // namespace sumwarden
