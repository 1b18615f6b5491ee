#include "app/cli/CliOutput.h"

#include "app/cli/CliProgress.h"

#include <gtest/gtest.h>

namespace sumwarden::cli {
namespace {

using namespace std::chrono_literals;

TEST(EscapeControlCharacters, EscapesWhatCouldDriveATerminalAndNothingElse) {
    EXPECT_EQ(EscapeControlCharacters("plain name.txt"), "plain name.txt");
    EXPECT_EQ(EscapeControlCharacters("a\tb"), "a\tb");
    EXPECT_EQ(EscapeControlCharacters("\x1b[2J\x07\r\n\b"), "\\x1b[2J\\x07\\x0d\\x0a\\x08");
    EXPECT_EQ(EscapeControlCharacters(std::string("nul\0del\x7f", 8)), "nul\\x00del\\x7f");
    // C1 controls as UTF-8 (CSI is U+009B), but not other characters of that lead byte.
    EXPECT_EQ(EscapeControlCharacters("\xc2\x9b"
                                      "31m \xc2\xa0 \xc2"),
              "\\xc2\\x9b31m \xc2\xa0 \xc2");
    EXPECT_EQ(EscapeControlCharacters("caf\xc3\xa9 \xff\xfe"), "caf\xc3\xa9 \xff\xfe");
}

TEST(ProgressText, CountsFilesAndScalesBytesAndRate) {
    const auto text = [](std::uint64_t files, std::uint64_t bytes,
                         std::chrono::duration<double> elapsed) {
        return ProgressText({files, bytes, JobControl::kUnknown, JobControl::kUnknown}, elapsed);
    };
    EXPECT_EQ(text(0, 0, 0s), "0 files, 0 B, 0 B/s");
    EXPECT_EQ(text(1, 512, 1s), "1 file, 512 B, 512 B/s");
    EXPECT_EQ(text(12, 3 * 1024 * 1024 + 512 * 1024, 2s), "12 files, 3.5 MiB, 1.8 MiB/s");
    EXPECT_EQ(text(2, std::uint64_t(5) << 40, 1000s), "2 files, 5.0 TiB, 5.1 GiB/s");
}

// The time left follows the bytes when their total is known (verify), else the files (a
// make once its walk is done).
TEST(ProgressText, ShowsTotalsTheShareDoneAndTheTimeLeftOnceKnown) {
    EXPECT_EQ(ProgressText({3, std::uint64_t(1) << 30, 12, std::uint64_t(4) << 30}, 10s),
              "3 of 12 files, 1.0 GiB of 4.0 GiB (25%), 102.4 MiB/s, 0:30 left");
    EXPECT_EQ(ProgressText({250, 1024, 1000, JobControl::kUnknown}, 1h),
              "250 of 1000 files, 1.0 KiB (25%), 0 B/s, 3:00:00 left");
    EXPECT_EQ(ProgressText({1, 3, 1, 3}, 1s), "1 of 1 file, 3 B of 3 B (100%), 3 B/s");
}

} // namespace
} // namespace sumwarden::cli
