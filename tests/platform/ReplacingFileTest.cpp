#include "platform/ReplacingFile.h"

#include "platform/Files.h"
#include "platform/IoError.h"
#include "tests/platform/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace sumwarden {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;

std::size_t CountEntries(const std::string& folder) {
    return ListFolder(folder)->size();
}

mode_t PermissionBits(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(ReplacingFile, PutsTheNewContentInPlaceOnlyOnCommit) {
    ScratchFolder folder;
    const std::string target = folder.WriteFile("target", "old");
    {
        ReplacingFile file(folder.Path(), "target");
        EXPECT_TRUE(file.TemporaryName().starts_with(".target."));
        file.Write("new ");
        file.Write(std::string(200000, 'x'));
        EXPECT_EQ(ReadWholeFile(target), "old");
        file.Commit();
    }
    EXPECT_EQ(ReadWholeFile(target), "new " + std::string(200000, 'x'));
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(ReplacingFile, LeavesTheOldFileAndNoLitterWithoutCommit) {
    ScratchFolder folder;
    const std::string target = folder.WriteFile("target", "old");
    {
        ReplacingFile file(folder.Path() + "/", "target");
        file.Write("new");
        EXPECT_EQ(CountEntries(folder.Path()), 2u);
    }
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(ReplacingFile, KeepsThePermissionBitsOfTheFileItReplaces) {
    ScratchFolder folder;
    const std::string target = folder.WriteFile("target", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ReplacingFile replaced(folder.Path(), "target");
    replaced.Commit();
    EXPECT_EQ(PermissionBits(target), 0640u);

    const mode_t oldMask = ::umask(022);
    ReplacingFile created(folder.Path(), "fresh");
    created.Commit();
    ::umask(oldMask);
    EXPECT_EQ(PermissionBits(folder / "fresh"), 0644u);
}

TEST(ReplacingFile, ReportsFoldersItMayNotWriteIn) {
    ScratchFolder folder;
    const std::string locked = folder.MakeFolder("locked");
    const int result = testing::RunUnprivileged([&] {
        try {
            ReplacingFile file(locked, "target");
        } catch (const IoError& error) {
            return error.ErrorNumber() == EACCES ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
}

// Renaming would get round a write-protected file; an ordinary truncating open would not.
TEST(ReplacingFile, RefusesToReplaceAFileTheUserMayNotWrite) {
    ScratchFolder folder;
    const std::string target = folder.WriteFile("target", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    const int result = testing::RunUnprivileged([&] {
        try {
            ReplacingFile file(folder.Path(), "target");
            file.Commit();
        } catch (const IoError& error) {
            return error.ErrorNumber() == EACCES ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(target), "old");
}

TEST(ReplacingFile, ReportsAFailedWriteAndRemovesItsTemporaryFile) {
    ScratchFolder folder;
    const std::string target = folder.WriteFile("target", "old");
    const int result = testing::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ReplacingFile file(folder.Path(), "target");
            file.Write(std::string(100000, 'x'));
            file.Commit();
        } catch (const IoError& error) {
            return error.ErrorNumber() == EFBIG ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

} // namespace
} // namespace sumwarden
