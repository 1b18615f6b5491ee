#include "platform/Files.h"

#include "platform/IoError.h"
#include "tests/platform/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

using testing::ScratchFolder;

TEST(OpenFileForDigest, AcceptsRegularFilesAndLinksToThem) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("plain", "x");
    std::filesystem::create_symlink(file, folder / "link");
    EXPECT_TRUE(OpenFileForDigest(file).has_value());
    EXPECT_TRUE(OpenFileForDigest(folder / "link").has_value());
    EXPECT_TRUE(OpenFileForDigest(folder.WriteFile("empty")).has_value());
}

TEST(OpenFileForDigest, RefusesWhatIsNotAReadableRegularFile) {
    ScratchFolder folder;
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
    EXPECT_FALSE(OpenFileForDigest(folder.Path()).has_value());
    EXPECT_FALSE(OpenFileForDigest(folder / "missing").has_value());
    EXPECT_FALSE(OpenFileForDigest(folder / "dangling").has_value());
    EXPECT_FALSE(OpenFileForDigest(folder / "fifo")
                     .has_value()); // must return at once, not wait for a writer
    EXPECT_FALSE(OpenFileForDigest("/dev/null").has_value());
    EXPECT_FALSE(OpenFileForDigest(folder.WriteFile("a") + std::string(1, '\0') + "b").has_value());
}

TEST(OpenFileForDigest, RefusesAFileTheUserMayNotRead) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("secret", "x");
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] { return OpenFileForDigest(file).has_value() ? 1 : 0; }),
              0);
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] { return OpenFileForDigest(file).has_value() ? 1 : 0; }),
              1);
}

TEST(Existence, TellsFilesFromFolders) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("file");
    const std::string subFolder = folder.MakeFolder("sub");
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
    std::filesystem::create_symlink(subFolder, folder / "folderLink");

    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(folder / "dangling"));
    EXPECT_FALSE(FileExists(subFolder));
    EXPECT_FALSE(FileExists(folder / "folderLink"));
    EXPECT_FALSE(FileExists(folder / "missing"));
    EXPECT_FALSE(FileExists(file + std::string(1, '\0')));

    EXPECT_TRUE(FolderExists(subFolder));
    EXPECT_TRUE(FolderExists(folder / "folderLink"));
    EXPECT_TRUE(FolderExists(subFolder + "/"));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(folder / "missing"));
}

TEST(ListFolder, SortsByteWiseAndClassifiesEntries) {
    ScratchFolder folder;
    folder.WriteFile("b");
    folder.WriteFile("B");
    folder.WriteFile("\xc3\xa9");
    folder.WriteFile(".hidden");
    folder.MakeFolder("a");
    std::filesystem::create_symlink(folder / "a", folder / "c-folder-link");
    std::filesystem::create_symlink(folder / "b", folder / "d-file-link");
    std::filesystem::create_symlink(folder / "nowhere", folder / "e-dangling");

    const auto entries = ListFolder(folder.Path());
    ASSERT_TRUE(entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : *entries) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "B", "a", "b", "c-folder-link",
                                               "d-file-link", "e-dangling", "\xc3\xa9"}));
    EXPECT_EQ((*entries)[2].kind, EntryKind::Folder);
    EXPECT_EQ((*entries)[3].kind, EntryKind::File);
    EXPECT_EQ((*entries)[4].kind, EntryKind::LinkToFolder);
    EXPECT_EQ((*entries)[5].kind, EntryKind::File);
    EXPECT_EQ((*entries)[6].kind, EntryKind::File);
}

TEST(ListFolder, GivesNothingForFoldersThatCannotBeListed) {
    ScratchFolder folder;
    const std::string locked = folder.MakeFolder("locked");
    folder.WriteFile("locked/inside");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] { return ListFolder(locked) ? 1 : 0; }), 0);
    EXPECT_FALSE(ListFolder(folder / "missing"));
    EXPECT_FALSE(ListFolder(folder.WriteFile("file")));
}

TEST(OpenForReading, ThrowsTheErrnoOfTheFailure) {
    ScratchFolder folder;
    try {
        OpenForReading(folder / "missing");
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.ErrorNumber(), ENOENT);
        EXPECT_STREQ(error.what(), "File not found");
    }
}

} // namespace
} // namespace sumwarden
