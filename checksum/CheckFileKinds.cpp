#include "checksum/CheckFileKinds.h"

#include <algorithm>
#include <vector>

namespace sumwarden {
namespace {

constexpr std::size_t kDigestLength = 32;
constexpr std::string_view kBsdStart = "MD5 (";
constexpr std::string_view kBsdDigestMark = ") = ";

bool IsHexText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char byte) {
        return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f') ||
               (byte >= 'A' && byte <= 'F');
    });
}

bool NeedsEscape(std::string_view name) {
    return name.find_first_of("\\\n\r") != std::string_view::npos;
}

// md5sum's escaping: "\\" for "\", "\n" for LF, "\r" for CR.
std::string Escaped(std::string_view name) {
    std::string escaped;
    escaped.reserve(name.size() + 8);
    for (const char byte : name) {
        if (byte == '\\') {
            escaped += "\\\\";
        } else if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else {
            escaped += byte;
        }
    }
    return escaped;
}

// Undoes Escaped; nothing for a "\" that starts no known escape.
std::optional<std::string> Unescaped(std::string_view name) {
    std::string plain;
    plain.reserve(name.size());
    for (std::size_t index = 0; index < name.size(); ++index) {
        if (name[index] != '\\') {
            plain += name[index];
            continue;
        }
        if (++index == name.size()) {
            return std::nullopt;
        }
        switch (name[index]) {
        case '\\':
            plain += '\\';
            break;
        case 'n':
            plain += '\n';
            break;
        case 'r':
            plain += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return plain;
}

std::optional<CheckFileEntry> Entry(std::string_view digest, std::string_view name, bool escaped) {
    if (!escaped) {
        return CheckFileEntry{std::string(digest), std::string(name)};
    }
    std::optional<std::string> plain = Unescaped(name);
    if (!plain) {
        return std::nullopt;
    }
    return CheckFileEntry{std::string(digest), std::move(*plain)};
}

// "<digest>  <name>" or "<digest> *<name>", with "\" before an escaped line.
std::optional<CheckFileEntry> ParseMd5sumLine(std::string_view line) {
    const bool escaped = line.starts_with('\\');
    line.remove_prefix(escaped ? 1 : 0);
    if (line.size() < kDigestLength + 3 || !IsHexText(line.substr(0, kDigestLength)) ||
        line[kDigestLength] != ' ' ||
        (line[kDigestLength + 1] != ' ' && line[kDigestLength + 1] != '*')) {
        return std::nullopt;
    }
    return Entry(line.substr(0, kDigestLength), line.substr(kDigestLength + 2), escaped);
}

// "MD5 (<name>) = <digest>", with "\" before an escaped line.
std::optional<CheckFileEntry> ParseBsdLine(std::string_view line) {
    const bool escaped = line.starts_with('\\');
    line.remove_prefix(escaped ? 1 : 0);
    const std::size_t tail = kBsdDigestMark.size() + kDigestLength;
    if (!line.starts_with(kBsdStart) || line.size() < kBsdStart.size() + tail ||
        line.substr(line.size() - tail, kBsdDigestMark.size()) != kBsdDigestMark ||
        !IsHexText(line.substr(line.size() - kDigestLength))) {
        return std::nullopt;
    }
    return Entry(line.substr(line.size() - kDigestLength),
                 line.substr(kBsdStart.size(), line.size() - tail - kBsdStart.size()), escaped);
}

// Drops "." and empty components and takes ".." back a component; nothing when ".." would
// leave the path's start.
std::optional<std::string> Normalised(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view component = path.substr(start, slash - start);
        if (component == "..") {
            if (components.empty()) {
                return std::nullopt;
            }
            components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.push_back(component);
        }
        start = slash + 1;
    }
    std::string joined;
    for (const std::string_view component : components) {
        joined += joined.empty() ? "" : "/";
        joined += component;
    }
    return joined;
}

} // namespace

std::optional<CheckFileKind> CheckFileKindNamed(std::string_view name) {
    if (name == "sumwarden") {
        return CheckFileKind::Sumwarden;
    }
    if (name == "md5sum") {
        return CheckFileKind::Md5sum;
    }
    if (name == "bsd") {
        return CheckFileKind::Bsd;
    }
    return std::nullopt;
}

std::optional<CheckFileEntry> ParseEntryLine(CheckFileKind kind, std::string_view line) {
    switch (kind) {
    case CheckFileKind::Md5sum:
        return ParseMd5sumLine(line);
    case CheckFileKind::Bsd:
        return ParseBsdLine(line);
    case CheckFileKind::Sumwarden:
        break;
    }
    return ParseCheckFileLine(line);
}

std::optional<CheckFileEntry> EntryRecognizer::Entry(std::string_view line) {
    if (kind_) {
        return ParseEntryLine(*kind_, line);
    }
    // The strict forms first: no line of theirs is an entry of the check file by intent.
    for (const CheckFileKind kind :
         {CheckFileKind::Md5sum, CheckFileKind::Bsd, CheckFileKind::Sumwarden}) {
        if (std::optional<CheckFileEntry> entry = ParseEntryLine(kind, line)) {
            kind_ = kind;
            return entry;
        }
    }
    return std::nullopt;
}

std::string ListHeader(CheckFileKind kind, std::string_view creationTime) {
    return kind == CheckFileKind::Sumwarden ? CheckFileHeader(creationTime) : std::string();
}

std::string ListEntryLine(CheckFileKind kind, std::string_view digestText,
                          std::string_view relativePath) {
    if (kind == CheckFileKind::Sumwarden) {
        return CheckFileEntryLine(digestText, relativePath);
    }
    const bool escape = NeedsEscape(relativePath);
    std::string line = escape ? "\\" : "";
    const std::string name = escape ? Escaped(relativePath) : std::string(relativePath);
    if (kind == CheckFileKind::Md5sum) {
        line += digestText;
        line += "  ";
        line += name;
    } else {
        line += kBsdStart;
        line += name;
        line += kBsdDigestMark;
        line += digestText;
    }
    line += '\n';
    return line;
}

bool NameFitsList(CheckFileKind kind, std::string_view name) {
    if (kind == CheckFileKind::Sumwarden) {
        return NameFitsCheckFile(name);
    }
    // Code 26 ends the text for every reader of lists here.
    return name.find('\x1a') == std::string_view::npos;
}

std::string EntryLookupPath(CheckFileKind kind, std::string_view entryPath) {
    return kind == CheckFileKind::Sumwarden ? EntryPathBeneathFolder(entryPath)
                                            : std::string(entryPath);
}

std::string EntryReportPath(CheckFileKind kind, const std::string& folder,
                            std::string_view entryPath) {
    if (kind == CheckFileKind::Sumwarden) {
        return ResolveEntryPath(folder, entryPath);
    }
    return entryPath.starts_with('/') ? std::string(entryPath) : folder + std::string(entryPath);
}

std::optional<std::string> EntryPathInFolder(CheckFileKind kind, const std::string& absoluteFolder,
                                             std::string_view entryPath) {
    if (kind == CheckFileKind::Sumwarden) {
        // The check file's entries never leave its folder: one with ".." names nothing.
        const std::string beneath = EntryPathBeneathFolder(entryPath);
        if (("/" + beneath + "/").find("/../") != std::string::npos) {
            return std::nullopt;
        }
        return Normalised(beneath);
    }
    if (!entryPath.starts_with('/')) {
        return Normalised(entryPath);
    }
    const std::optional<std::string> absolute = Normalised(entryPath);
    const std::optional<std::string> folder = Normalised(absoluteFolder);
    if (!absolute || !folder) {
        return std::nullopt;
    }
    if (folder->empty()) {
        return absolute; // the folder is the root
    }
    if (!absolute->starts_with(*folder + "/")) {
        return std::nullopt;
    }
    return absolute->substr(folder->size() + 1);
}

} // namespace sumwarden
