#include "checksum/CheckFileReader.h"

#include "checksum/CheckFileFormat.h"
#include "platform/IoError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace sumwarden {
namespace {

// Hands out the text at most chunk bytes at a time, then fails with EIO when asked to.
CheckFileReader ReaderOf(std::string text, std::size_t chunk = 1 << 16, bool failAtEnd = false) {
    auto position = std::make_shared<std::size_t>(0);
    return CheckFileReader(
        [text = std::move(text), chunk, failAtEnd, position](char* buffer, std::size_t size) {
            const std::size_t count = std::min({size, chunk, text.size() - *position});
            if (count == 0 && failAtEnd) {
                throw IoError(EIO);
            }
            std::memcpy(buffer, text.data() + *position, count);
            *position += count;
            return count;
        });
}

std::vector<std::string> LinesOf(CheckFileReader reader) {
    std::vector<std::string> lines;
    std::string line;
    while (reader.NextLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(CheckFileReader, EndsLinesAtLfAndDropsEveryOtherCr) {
    const std::string text = "one\r\ntwo\nthr\ree\r\r\n\nlast";
    EXPECT_EQ(LinesOf(ReaderOf(text)), (Lines{"one", "two", "three", "", "last"}));
    EXPECT_EQ(LinesOf(ReaderOf(text, 1)), (Lines{"one", "two", "three", "", "last"}));
    EXPECT_EQ(LinesOf(ReaderOf("a\r\n")), (Lines{"a"}));
    EXPECT_EQ(LinesOf(ReaderOf("")), Lines{});
    EXPECT_EQ(LinesOf(ReaderOf("cr\ronly\r")), (Lines{"cronly"}));
}

TEST(CheckFileReader, StopsAtCode26) {
    EXPECT_EQ(LinesOf(ReaderOf("one\r\ntw\x1ao\r\nthree\r\n")), (Lines{"one", "tw"}));
    EXPECT_EQ(LinesOf(ReaderOf("one\n\x1a", 1)), (Lines{"one", ""}));
}

TEST(CheckFileReader, KeepsAnyBytesAndSkipsLinesLongerThanAnyEntry) {
    const std::string binary("a\0b\xff\t", 5);
    EXPECT_EQ(LinesOf(ReaderOf(binary + "\n" + binary)), (Lines{binary, binary}));
    const std::string longest(kMaxCheckFileLineLength, 'x');
    EXPECT_EQ(LinesOf(ReaderOf(longest + "\nshort", 4096)), (Lines{longest, "short"}));
    const std::string tooLong = longest + "y";
    EXPECT_EQ(LinesOf(ReaderOf("first\n" + tooLong + "\r\nshort\n" + tooLong, 4096)),
              (Lines{"first", "short"}));
}

TEST(CheckFileReader, ReadsALineWithoutEndInBoundedMemory) {
    // 64 MiB without a line end, handed out by a source that makes it up as it goes.
    std::size_t left = std::size_t(64) << 20;
    CheckFileReader reader([&](char* buffer, std::size_t size) {
        const std::size_t count = std::min(size, left);
        std::memset(buffer, 0, count);
        left -= count;
        return count;
    });
    std::string line;
    EXPECT_FALSE(reader.NextLine(line));
    EXPECT_LE(line.capacity(), 2 * kMaxCheckFileLineLength);
}

TEST(CheckFileReader, SkipsAByteOrderMarkBeforeTheFirstLineOnly) {
    const std::string mark = "\xef\xbb\xbf";
    EXPECT_EQ(LinesOf(ReaderOf(mark + "one\r\n" + mark + "two")), (Lines{"one", mark + "two"}));
    EXPECT_EQ(LinesOf(ReaderOf(mark + "one", 1)), (Lines{"one"}));
    EXPECT_EQ(LinesOf(ReaderOf(mark)), (Lines{""}));
}

TEST(CheckFileReader, PassesReadFailuresOn) {
    CheckFileReader reader = ReaderOf("first\nsecond", 1 << 16, true);
    std::string line;
    ASSERT_TRUE(reader.NextLine(line));
    EXPECT_EQ(line, "first");
    EXPECT_THROW(reader.NextLine(line), IoError);
}

} // namespace
} // namespace sumwarden
