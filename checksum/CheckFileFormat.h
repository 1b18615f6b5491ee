#pragma once

// The check file: four header lines, then one line per file, "<digest><TAB><relative path>",
// lines ending in CR LF, folder names in relative paths separated by "\".

#include <optional>
#include <string>
#include <string_view>

namespace sumwarden {

inline constexpr std::string_view kCheckFileName = "CheckSum.md5";
inline constexpr std::string_view kProductWebPage = "http://www.sumwarden.example";

// The four header lines, the third carrying the given creation time.
std::string CheckFileHeader(std::string_view creationTime);

// An entry line; "/" in the relative path is written as "\".
std::string CheckFileEntryLine(std::string_view digestText, std::string_view relativePath);

// False for names the format cannot carry: CR, LF and code 26 would end or split the line,
// "\" would turn into a folder separator when read back.
bool NameFitsCheckFile(std::string_view name);

struct CheckFileEntry {
    std::string expectedDigest; // the 32 characters as written, case and all
    std::string relativePath;   // as written, "\" between folder names
};

// The entry a line read from a check file holds, if any: not a comment, and its first TAB is
// its 33rd character.
std::optional<CheckFileEntry> ParseCheckFileLine(std::string_view line);

// The check file a make writes into the folder: "<folder>/CheckSum.md5", one "/" between.
std::string CheckFilePathIn(const std::string& folder);

// The folder entries are relative to: everything up to and including the last "/" of the
// check file's path; empty when there is none (the current folder).
std::string CheckFileFolder(const std::string& checkFilePath);

// The full path of an entry: the folder followed by the relative path with "\" turned into "/".
std::string ResolveEntryPath(const std::string& folder, std::string_view relativePath);

} // namespace sumwarden
