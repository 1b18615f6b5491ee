#include "checksum/FileDigest.h"

#include "checksum/FileDigestList.h"
#include "platform/FileDescriptor.h"
#include "tests/checksum/DigestTestData.h"
#include "tests/platform/TestFiles.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

using testing::MemoryDigestHex;
using testing::ScratchFolder;

constexpr const char* kEmptyDigest = "d41d8cd98f00b204e9800998ecf8427e";

std::string Md5sumOf(const std::string& path) {
    const std::string command = "md5sum '" + path + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    char text[33] = {};
    const std::size_t count = pipe ? std::fread(text, 1, 32, pipe) : 0;
    if (pipe) {
        ::pclose(pipe);
    }
    return std::string(text, count);
}

TEST(FileDigest, HashesTheWholeContentAcrossReadBlocks) {
    ScratchFolder folder;
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{(1 << 20) - 1},
                             std::size_t{1 << 20}, std::size_t{(1 << 20) + 65}}) {
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            content[i] = static_cast<char>(i * 7 + i / 4096);
        }
        const std::string file = folder.WriteFile(std::to_string(size) + ".bin", content);
        EXPECT_EQ(FileDigestHex(file), MemoryDigestHex(content)) << size;
    }
}

TEST(FileDigest, GivesTheEmptyInputDigestForWhatCannotBeRead) {
    ScratchFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
    EXPECT_EQ(FileDigestHex(folder / "missing"), kEmptyDigest);
    EXPECT_EQ(FileDigestHex(folder.Path()), kEmptyDigest);
    EXPECT_EQ(FileDigestHex(folder / "fifo"), kEmptyDigest);
    EXPECT_FALSE(TryFileDigest(folder / "missing"));
    EXPECT_FALSE(TryFileDigest(folder / "fifo"));

    const std::string secret = folder.WriteFile("secret", "content");
    ASSERT_EQ(::chmod(secret.c_str(), 0), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] { return FileDigestHex(secret) == kEmptyDigest; }), 1);
}

// The size a file had when opened only saves the last read when the reads agree with it.
TEST(FileDigest, ReadsAnOpenedFileToItsEndWhateverSizeItHadWhenOpened) {
    ScratchFolder folder;
    for (const std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{300000}}) {
        const std::string content(length, 'z');
        const std::string file = folder.WriteFile("file", content);
        for (const std::uint64_t sizeWhenOpened :
             {std::uint64_t{length}, std::uint64_t{length / 2}, std::uint64_t{length + 7},
              std::uint64_t{262144}, kUnknownSize}) {
            const FileDescriptor opened(::open(file.c_str(), O_RDONLY));
            const std::optional<OpenedFileDigest> read =
                TryOpenedFileDigest(opened.Get(), sizeWhenOpened);
            ASSERT_TRUE(read) << length;
            EXPECT_EQ(DigestToHex(read->digest), MemoryDigestHex(content))
                << length << " " << sizeWhenOpened;
            EXPECT_EQ(read->bytes, length);
        }
    }
    EXPECT_FALSE(ReadReachedEnd(10, 10, 10, 10));
    EXPECT_FALSE(ReadReachedEnd(10, 4, 14, 20));
    EXPECT_TRUE(ReadReachedEnd(10, 4, 14, 14));
}

TEST(FileDigest, HashesAFileThatIsOpenForWritingElsewhere) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("log", "first");
    const int writer = ::open(file.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, " second", 7), 7);
    EXPECT_EQ(FileDigestHex(file), MemoryDigestHex("first second"));
    ::close(writer);
}

// Beyond 4 GiB a 32-bit size or length would wrap; the file is sparse, so cheap on disk.
TEST(FileDigest, HashesFilesLargerThanFourGibibytes) {
    ScratchFolder folder;
    const std::string file = folder / "large";
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(descriptor, 0);
    const off_t beyond = (off_t{1} << 32) + 4096 + 13;
    ASSERT_EQ(::pwrite(descriptor, "head", 4, 100), 4);
    ASSERT_EQ(::pwrite(descriptor, "tail", 4, beyond), 4);
    ::close(descriptor);
    EXPECT_EQ(FileDigestHex(file), Md5sumOf(file));
}

TEST(FileDigestList, GivesOneRowPerPathInOrder) {
    ScratchFolder folder;
    const std::string empty = folder.WriteFile("empty");
    const std::string abc = folder.WriteFile("abc", "abc");
    const std::string secret = folder.WriteFile("secret", "x");
    ASSERT_EQ(::chmod(secret.c_str(), 0), 0);

    const int result = testing::RunUnprivileged([&] {
        const std::vector<FileDigestRow> rows =
            testing::ListFileDigests({abc, folder / "missing", empty, secret, abc});
        const std::vector<std::pair<std::string, std::string>> expected = {
            {abc, "900150983cd24fb0d6963f7d28e17f72"},
            {folder / "missing", "Could not open file"},
            {empty, kEmptyDigest},
            {secret, "Could not open file"},
            {abc, "900150983cd24fb0d6963f7d28e17f72"}};
        if (rows.size() != expected.size()) {
            return 1;
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].path != expected[i].first || rows[i].text != expected[i].second ||
                rows[i].opened != (rows[i].text != "Could not open file")) {
                return 2 + static_cast<int>(i);
            }
        }
        return 0;
    });
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace sumwarden
