#pragma once

// The check file: four header lines, then one line per file, "<digest><TAB><relative path>",
// lines ending in CR LF, folder names in relative paths separated by "\".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sumwarden {

inline constexpr std::string_view kCheckFileName = "CheckSum.md5";
inline constexpr std::string_view kProductWebPage = "http://www.sumwarden.example";

// No entry line is longer: the digest, the TAB and a path of up to about a million bytes.
// Longer lines are malformed; the maker never writes one.
inline constexpr std::size_t kMaxCheckFileLineLength = 1 << 20;

// The four header lines, the third carrying the given creation time.
std::string CheckFileHeader(std::string_view creationTime);

// An entry line; "/" in the relative path is written as "\".
std::string CheckFileEntryLine(std::string_view digestText, std::string_view relativePath);

// False for names the format cannot carry: CR, LF and code 26 would end or split the line,
// "\" would turn into a folder separator when read back.
bool NameFitsCheckFile(std::string_view name);

// False when the entry line of this relative path would be longer than any reader takes.
bool PathFitsCheckFile(std::string_view relativePath);

// Whether a digest read from an entry is the digest text computed; hex digits compare
// without regard to case, since other tools write them in upper case.
bool DigestTextMatches(std::string_view expected, std::string_view computed);

// The digest text with its hexadecimal letters in lower case, as digests are compared.
std::string LowerCaseDigestText(std::string_view digestText);

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

// An entry's path always lies beneath the check file's folder, whatever form the check
// file's own path takes: "\" separates folder names and a leading one is one more
// separator, so an entry "\etc\passwd" names etc/passwd in that folder.
//
// The entry's relative path with "\" turned into "/", as it is looked up beneath the folder.
std::string EntryPathBeneathFolder(std::string_view relativePath);

// The full path of an entry as reports show it: the folder followed by the relative path
// with "\" turned into "/"; "./" stands before a path that would otherwise start with "/".
std::string ResolveEntryPath(const std::string& folder, std::string_view relativePath);

} // namespace sumwarden
