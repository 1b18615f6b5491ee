#pragma once

// The three kinds of list a verify reads and a make writes: this program's check file,
// md5sum's lines ("<digest>  <name>", "*" before the name for binary mode, a leading "\" when
// the name is escaped) and the BSD tag form ("MD5 (<name>) = <digest>"). md5sum and BSD
// lists use "/" between folder names and take names as written; absolute names stay
// absolute.

#include "checksum/CheckFileFormat.h"

#include <optional>
#include <string>
#include <string_view>

namespace sumwarden {

enum class CheckFileKind { Sumwarden, Md5sum, Bsd };

// The kind a --format value names: "sumwarden", "md5sum" or "bsd".
std::optional<CheckFileKind> CheckFileKindNamed(std::string_view name);

// The entry a line of the given kind holds, if any. Names come back unescaped.
std::optional<CheckFileEntry> ParseEntryLine(CheckFileKind kind, std::string_view line);

// Recognises a list's kind from its first entry line: later lines are entries only in that
// kind, so a file never mixes kinds and lines of other algorithms are never entries.
class EntryRecognizer {
public:
    std::optional<CheckFileEntry> Entry(std::string_view line);
    std::optional<CheckFileKind> Kind() const { return kind_; }

private:
    std::optional<CheckFileKind> kind_;
};

// What a make writes before the entries: the check file's header, nothing for the others.
std::string ListHeader(CheckFileKind kind, std::string_view creationTime);

// The entry line of a file; relativePath uses "/".
std::string ListEntryLine(CheckFileKind kind, std::string_view digestText,
                          std::string_view relativePath);

// False for names a list of that kind cannot carry.
bool NameFitsList(CheckFileKind kind, std::string_view name);

// The path an entry is looked up by, from the list's folder (see FolderHandle::LookUp for
// the check file, LookUpAsWritten for the others).
std::string EntryLookupPath(CheckFileKind kind, std::string_view entryPath);

// The full path of an entry as reports show it.
std::string EntryReportPath(CheckFileKind kind, const std::string& folder,
                            std::string_view entryPath);

// The entry's path relative to the list's folder, "." and ".." worked out and empty
// components dropped, to compare with what a walk of the folder finds; nothing when the
// entry lies outside it. absoluteFolder is the folder's absolute path, ending in "/".
std::optional<std::string> EntryPathInFolder(CheckFileKind kind, const std::string& absoluteFolder,
                                             std::string_view entryPath);

} // namespace sumwarden
