#include "platform/IoError.h"

#include "platform/LocalTime.h"

#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

namespace sumwarden {
namespace {

TEST(IoErrorText, NamesTheCommonFailuresAndDescribesTheRestAsTheSystemDoes) {
    EXPECT_EQ(IoErrorText(EACCES), "File access denied");
    EXPECT_EQ(IoErrorText(EPERM), "File access denied");
    EXPECT_EQ(IoErrorText(ENOSPC), "Disk full");
    EXPECT_EQ(IoErrorText(ENOENT), "File not found");
    EXPECT_EQ(IoErrorText(EIO), "Input/output error");
    EXPECT_EQ(IoErrorText(EROFS), "Read-only file system");
    EXPECT_EQ(IoErrorText(kNotARegularFile), "Not a regular file");
    EXPECT_EQ(IoError(EFBIG).what(), std::string("File too large"));
    EXPECT_EQ(IoError(EFBIG).ErrorNumber(), EFBIG);
}

TEST(LocalTimeText, WritesFourDigitYearAndTwoDigitFields) {
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    EXPECT_EQ(LocalTimeText(1141913107), "2006-03-09 14:05:07");
    EXPECT_EQ(LocalTimeText(0), "1970-01-01 00:00:00");
    ::setenv("TZ", "XYZ-1", 1);
    ::tzset();
    EXPECT_EQ(LocalTimeText(0), "1970-01-01 01:00:00");
}

} // namespace
} // namespace sumwarden
