#include "checksum/CheckFileReader.h"

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

TEST(CheckFileReader, KeepsAnyBytesAndLinesOfAnyLength) {
    const std::string binary("a\0b\xff\t", 5);
    EXPECT_EQ(LinesOf(ReaderOf(binary + "\n" + binary)), (Lines{binary, binary}));
    const std::string longLine(5'000'000, 'x');
    EXPECT_EQ(LinesOf(ReaderOf(longLine + "\nshort", 4096)), (Lines{longLine, "short"}));
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
