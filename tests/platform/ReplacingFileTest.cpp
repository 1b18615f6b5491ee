#include "platform/ReplacingFile.h"

#include "platform/Files.h"
#include "platform/IoError.h"
#include "tests/platform/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

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

constexpr ReplacingFile::Temporary kBothKinds[] = {ReplacingFile::Temporary::UnnamedWherePossible,
                                                   ReplacingFile::Temporary::Named};

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    const std::optional<std::vector<FolderEntry>> entries = ListFolder(folder);
    for (const FolderEntry& entry : entries.value()) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(ReplacingFile, PutsTheNewContentInPlaceOnlyOnCommit) {
    for (const ReplacingFile::Temporary kind : kBothKinds) {
        ScratchFolder folder;
        const std::string target = folder.WriteFile("target", "old");
        {
            ReplacingFile file(folder.Path(), "target", kind);
            file.Write("new ");
            file.Write(std::string(200000, 'x'));
            EXPECT_EQ(ReadWholeFile(target), "old");
            file.Commit();
        }
        EXPECT_EQ(ReadWholeFile(target), "new " + std::string(200000, 'x'));
        EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"target"});
    }
}

TEST(ReplacingFile, LeavesTheOldFileAndNoLitterWithoutCommit) {
    for (const ReplacingFile::Temporary kind : kBothKinds) {
        ScratchFolder folder;
        const std::string target = folder.WriteFile("target", "old");
        {
            ReplacingFile file(folder.Path() + "/", "target", kind);
            file.Write("new");
            const std::vector<std::string> names = NamesIn(folder.Path());
            if (kind == ReplacingFile::Temporary::Named) {
                ASSERT_EQ(names.size(), 2u);
                EXPECT_TRUE(ReplacingFile::IsTemporaryName(names[0], "target")) << names[0];
            } else {
                // Where the file system allows it, the file has no name until it is complete.
                EXPECT_EQ(names, std::vector<std::string>{"target"});
            }
        }
        EXPECT_EQ(ReadWholeFile(target), "old");
        EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"target"});
    }
}

TEST(ReplacingFile, TellsItsTemporaryNamesApart) {
    EXPECT_TRUE(ReplacingFile::IsTemporaryName(".CheckSum.md5.0123456789abcdef", "CheckSum.md5"));
    for (const char* other : {"CheckSum.md5", ".CheckSum.md5.", ".CheckSum.md5.0123456789abcde",
                              ".CheckSum.md5.0123456789abcdef0", ".CheckSum.md5.0123456789ABCDEF",
                              ".CheckSum.md5x0123456789abcdef", "xCheckSum.md5.0123456789abcdef",
                              ".checksum.md5.0123456789abcdef"}) {
        EXPECT_FALSE(ReplacingFile::IsTemporaryName(other, "CheckSum.md5")) << other;
    }
}

TEST(ReplacingFile, RemovesANamedTemporaryFileWhenASignalEndsTheProcess) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        ScratchFolder folder;
        const int result = testing::RunInChild([&] {
            ReplacingFile file(folder.Path(), "target", ReplacingFile::Temporary::Named);
            file.Write("partial");
            if (NamesIn(folder.Path()).size() != 1) {
                return 1;
            }
            ::raise(signal);
            return 2;
        });
        EXPECT_EQ(result, 128 + signal);
        EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{}) << signal;
    }
    // A signal the program ignores stays ignored.
    ScratchFolder folder;
    EXPECT_EQ(testing::RunInChild([&] {
                  std::signal(SIGPIPE, SIG_IGN);
                  ReplacingFile file(folder.Path(), "target", ReplacingFile::Temporary::Named);
                  ::raise(SIGPIPE);
                  return 0;
              }),
              0);
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
            ReplacingFile file(folder.Path(), "target", ReplacingFile::Temporary::Named);
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
