// Feeds arbitrary bytes to the check-file reader and the entry parsers of every kind of
// list, in pieces of arbitrary sizes: no input may crash them, make them hang, or yield a
// line longer than any entry can be.
#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileKinds.h"
#include "checksum/CheckFileReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks how many bytes each read hands out, so lines and marks are cut
    // at every possible place.
    const std::size_t piece = std::size_t(data[0]) + 1;
    std::size_t position = 1;
    sumwarden::CheckFileReader reader([&](char* buffer, std::size_t room) {
        const std::size_t count = std::min({room, piece, size - position});
        std::memcpy(buffer, data + position, count);
        position += count;
        return count;
    });
    sumwarden::EntryRecognizer recognizer;
    std::string line;
    while (reader.NextLine(line)) {
        if (line.size() > sumwarden::kMaxCheckFileLineLength || line.find('\n') != line.npos) {
            __builtin_trap();
        }
        if (const auto entry = sumwarden::ParseCheckFileLine(line)) {
            if (entry->expectedDigest.size() != 32 || line.front() == ';') {
                __builtin_trap();
            }
            (void)sumwarden::ResolveEntryPath("folder/", entry->relativePath);
        }
        if (const auto entry = recognizer.Entry(line)) {
            const sumwarden::CheckFileKind kind = *recognizer.Kind();
            if (entry->expectedDigest.size() != 32 || entry->relativePath.size() > line.size()) {
                __builtin_trap();
            }
            (void)sumwarden::EntryReportPath(kind, "folder/", entry->relativePath);
            (void)sumwarden::EntryPathInFolder(kind, "/folder/", entry->relativePath);
            // What a make writes for the name reads back as the same entry.
            if (kind != sumwarden::CheckFileKind::Sumwarden &&
                sumwarden::NameFitsList(kind, entry->relativePath)) {
                std::string written =
                    sumwarden::ListEntryLine(kind, entry->expectedDigest, entry->relativePath);
                written.pop_back();
                const auto again = sumwarden::ParseEntryLine(kind, written);
                if (!again || again->relativePath != entry->relativePath) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
