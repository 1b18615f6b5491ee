#include "platform/FolderWalk.h"

#include "tests/platform/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sumwarden {
namespace {

using testing::ScratchFolder;
using Events = std::vector<std::string>;

// Records the walk as one text per call; every folder is entered.
class Recorder final : public FolderVisitor {
public:
    bool ShouldEnter(const std::string&, const std::string& name) override {
        return name != "skipped";
    }
    void FolderEntered(const std::string& path) override { events.push_back("enter " + path); }
    void FolderNotOpened(const std::string& path, int errorNumber) override {
        events.push_back("failed " + path + " " + std::to_string(errorNumber));
    }
    void FileAt(const FolderHandle& folder, const std::string& folderPath,
                const std::string& name) override {
        events.push_back("file " + folderPath + "/" + name +
                         (folder.OpenFileForDigest(name) ? "" : " (unopenable)"));
        if (onFile) {
            onFile(name);
        }
    }

    Events events;
    std::function<void(const std::string& name)> onFile;
};

Events Walk(const std::string& path, bool recurse = true) {
    Recorder recorder;
    WalkFolder(path, recurse, recorder);
    return recorder.events;
}

TEST(WalkFolder, VisitsDepthFirstInByteOrderWithoutEnteringLinksToFolders) {
    ScratchFolder folder;
    folder.WriteFile("b/inner", "x");
    folder.WriteFile("a", "x");
    folder.WriteFile("c/d/e", "x");
    folder.WriteFile("skipped/never", "x");
    std::filesystem::create_symlink(folder / "c", folder / "link-to-c");
    std::filesystem::create_symlink(folder / "a", folder / "link-to-a");
    const std::string& top = folder.Path();

    EXPECT_EQ(Walk(top + "/"),
              (Events{"file " + top + "/a", "enter " + top + "/b", "file " + top + "/b/inner",
                      "enter " + top + "/c", "enter " + top + "/c/d", "file " + top + "/c/d/e",
                      "file " + top + "/link-to-a"}));
    EXPECT_EQ(Walk(top, false), (Events{"file " + top + "/a", "file " + top + "/link-to-a"}));
}

TEST(WalkFolder, ReportsFoldersItCannotOpenInTheirPlace) {
    ScratchFolder folder;
    folder.WriteFile("a-locked/inside", "x");
    folder.WriteFile("b", "x");
    ASSERT_EQ(::chmod((folder / "a-locked").c_str(), 0), 0);
    const std::string& top = folder.Path();
    const int result = testing::RunUnprivileged([&] {
        const Events expected{"failed " + top + "/a-locked 13", "file " + top + "/b"};
        if (Walk(top) != expected) {
            return 1;
        }
        return Walk(top + "/a-locked") == Events{"failed " + top + "/a-locked 13"} ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Walk(folder / "missing"), Events{"failed " + top + "/missing 2"});
}

TEST(WalkFolder, ReachesTreesDeeperThanThePathLengthLimit) {
    ScratchFolder folder;
    // 60 levels of 100-byte names: beyond PATH_MAX, and beyond the descriptors held at once.
    const std::string name(100, 'n');
    const std::string leaf = testing::MakeDeepTree(folder.Path(), 60, name, "abc");
    ASSERT_GT(leaf.size(), std::size_t(PATH_MAX));
    folder.WriteFile("z", "x");

    const Events events = Walk(folder.Path());
    ASSERT_EQ(events.size(), 62u);
    EXPECT_EQ(events[59], "enter " + folder / leaf.substr(0, leaf.size() - 5));
    EXPECT_EQ(events[60], "file " + folder / leaf);
    // After climbing back out of the deep tree the walk goes on in the top folder.
    EXPECT_EQ(events[61], "file " + folder / "z");
}

TEST(WalkFolder, ReportsFoldersThatCannotBeReachedAgainAfterAMove) {
    ScratchFolder folder;
    const std::string leaf = testing::MakeDeepTree(folder.Path(), 40, "n", "abc");
    folder.WriteFile("z", "x");
    Recorder recorder;
    // While the walk is at the bottom, a sub tree moves away from under folders whose
    // descriptors were given back; climbing out cannot find them again.
    std::string fiveDeep = folder.Path();
    for (int level = 0; level < 5; ++level) {
        fiveDeep += "/n";
    }
    recorder.onFile = [&](const std::string& name) {
        if (name == "leaf") {
            std::filesystem::rename(fiveDeep, folder / "moved");
        }
    };
    WalkFolder(folder.Path(), true, recorder);
    const Events& events = recorder.events;
    ASSERT_GE(events.size(), 41u);
    EXPECT_EQ(events[40], "file " + folder / leaf);
    // The folder left behind and every folder above it lose the rest of their entries, and
    // each says so; nothing is passed over in silence.
    EXPECT_EQ(events.back(), "failed " + folder.Path() + " " + std::to_string(ESTALE));
    EXPECT_EQ(std::count(events.begin(), events.end(), "file " + folder / "z"), 0);
}

TEST(FolderHandleLookUp, FindsEntriesBeneathTheFolderOnly) {
    ScratchFolder folder;
    folder.WriteFile("sub/file", "abc");
    folder.MakeFolder("sub/folder");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling");
    std::filesystem::create_symlink(folder / "sub", folder / "link-to-sub");
    const std::optional<FolderHandle> base = FolderHandle::OpenForLookup(folder.Path());
    ASSERT_TRUE(base);

    for (const char* present : {"sub/file", "/sub/file", "sub//file", "link-to-sub/file"}) {
        const EntryLookup found = base->LookUp(present);
        EXPECT_TRUE(found.exists && found.file) << present;
    }
    for (const char* unopenable : {"fifo", "dangling"}) {
        const EntryLookup found = base->LookUp(unopenable);
        EXPECT_TRUE(found.exists && !found.file) << unopenable;
    }
    folder.WriteFile("outside", "abc");
    const std::optional<FolderHandle> sub = FolderHandle::OpenForLookup(folder / "sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->LookUp("./file").file);
    EXPECT_FALSE(sub->LookUp("../outside").exists);
    EXPECT_FALSE(sub->LookUp("folder/../file").exists);
    for (const char* missing : {"", "/", "sub", "sub/", "sub/folder", "sub/file/", "sub/file/x",
                                "nothing", "link-to-sub"}) {
        EXPECT_FALSE(base->LookUp(missing).exists) << missing;
    }

    const std::string leaf = testing::MakeDeepTree(folder.Path(), 50, std::string(100, 'n'), "");
    EXPECT_TRUE(base->LookUp(leaf).file);
}

TEST(FolderHandleLookUp, GivesTheSizeOfTheFileItOpened) {
    ScratchFolder folder;
    folder.WriteFile("sub/file", std::string(5000, 'x'));
    folder.WriteFile("empty");
    const std::optional<FolderHandle> base = FolderHandle::OpenForLookup(folder.Path());
    ASSERT_TRUE(base);
    EXPECT_EQ(base->LookUp("sub/file").size, 5000u);
    EXPECT_EQ(base->LookUp("empty").size, 0u);
    EXPECT_EQ(OpenForDigestAt(base->Get(), "sub/file").size, 5000u);
    const std::string leaf = testing::MakeDeepTree(folder.Path(), 50, std::string(100, 'n'), "ab");
    EXPECT_EQ(base->LookUp(leaf).size, 2u);
}

// What the single open through the path cannot settle: a folder or a file the user may
// not read, and a path through a folder the user may not search, whose file may well exist
// but cannot be opened.
TEST(FolderHandleLookUp, TellsUnreadableFilesFromUnreadableFolders) {
    ScratchFolder folder;
    ASSERT_EQ(::chmod(folder.WriteFile("secret", "abc").c_str(), 0), 0);
    folder.WriteFile("closed/file", "abc");
    ASSERT_EQ(::chmod((folder / "closed").c_str(), 0), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] {
                  const std::optional<FolderHandle> base =
                      FolderHandle::OpenForLookup(folder.Path());
                  if (!base) {
                      return 1;
                  }
                  const EntryLookup secret = base->LookUp("secret");
                  const EntryLookup closed = base->LookUp("closed");
                  const EntryLookup inside = base->LookUp("closed/file");
                  return secret.exists && !secret.file && secret.error == EACCES &&
                                 !closed.exists && inside.exists && !inside.file &&
                                 inside.error == EACCES
                             ? 0
                             : 2;
              }),
              0);
}

TEST(FolderHandleLookUp, NeedsNoReadPermissionOnTheFolder) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("search-only/file", "abc");
    ASSERT_EQ(::chmod((folder / "search-only").c_str(), 0111), 0);
    EXPECT_EQ(testing::RunUnprivileged([&] {
                  const std::optional<FolderHandle> base =
                      FolderHandle::OpenForLookup(folder / "search-only");
                  return base && base->LookUp("file").file ? 0 : 1;
              }),
              0);
}

} // namespace
} // namespace sumwarden
