#include "platform/PathList.h"

#include "platform/IoError.h"
#include "tests/platform/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sumwarden {
namespace {

TEST(PathList, GivesBackEveryPathInOrderAlsoPastWhatItKeepsInMemory) {
    std::vector<std::string> paths = {"", "a", std::string("nul\0inside", 10),
                                      std::string(200000, 'x'), "tail"};
    for (int i = 0; i < 20000; ++i) {
        paths.push_back("folder/file-" + std::to_string(i));
    }
    for (const std::size_t inMemory : {std::size_t{0}, std::size_t{3}, paths.size()}) {
        PathList list(inMemory);
        for (const std::string& path : paths) {
            list.Add(path);
        }
        EXPECT_EQ(list.Size(), paths.size());
        EXPECT_EQ(list.Entries(), paths) << inMemory << " in memory";
        // Reading leaves the list as it was, and it takes more.
        list.Add("last");
        EXPECT_EQ(list.Entries().back(), "last");
        EXPECT_EQ(list.Entries().size(), paths.size() + 1);
    }
    EXPECT_TRUE(PathList().Empty());
}

TEST(PathList, ThrowsWhenItsTemporaryFileCannotBeMade) {
    const int result = testing::RunInChild([] {
        ::setenv("TMPDIR", "/nonexistent-folder", 1);
        PathList list(1);
        list.Add("kept in memory");
        try {
            for (int i = 0; i < 10000; ++i) {
                list.Add("spilled " + std::to_string(i));
            }
            list.Entries();
        } catch (const IoError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
}

} // namespace
} // namespace sumwarden
