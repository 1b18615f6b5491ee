// The kinds of list the command line reads and writes, new and moved files, and how it
// reports what it could not open, run as a user that permissions apply to.

#include "tests/app/cli/CliRun.h"
#include "tests/platform/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwarden {
namespace {

using testing::As;
using testing::CliRun;
using testing::kDropFailed;
using testing::RunCli;
using testing::ScratchFolder;

// Runs a shell command in the folder; its exit status.
int RunIn(const std::string& folder, const std::string& command) {
    const int status = std::system(("cd '" + folder + "' && " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CliLists, VerifiesListsThatMd5sumWrote) {
    ScratchFolder folder;
    const std::string data = folder.MakeFolder("data");
    for (const char* name :
         {"same", "changed", "gone", "secret", "back\\slash", "new\nline", "sub/deep"}) {
        folder.WriteFile(std::string("data/") + name, "abc");
    }
    const std::vector<std::string> flags = {"", "--tag", "-b"};
    for (std::size_t index = 0; index < flags.size(); ++index) {
        ASSERT_EQ(RunIn(data, "find . -type f -print0 | sort -z | xargs -0 md5sum " + flags[index] +
                                  " > ../list" + std::to_string(index)),
                  0);
    }
    folder.WriteFile("data/changed", "abd");
    std::filesystem::remove(folder / "data/gone");
    ASSERT_EQ(::chmod((folder / "data/secret").c_str(), 0), 0);

    // Names as md5sum wrote them, "./" included, beneath the folder given with --base.
    const std::string at = data + "/./";
    const std::string expected = "OK ... \"" + at + "back\\slash\"\n" + "File changed ... \"" + at +
                                 "changed\"\n" + "File does not exist ... \"" + at + "gone\"\n" +
                                 "OK ... \"" + at + "new\nline\"\n" + "OK ... \"" + at +
                                 "same\"\n" + "Could not open file ... \"" + at + "secret\"\n" +
                                 "OK ... \"" + at +
                                 "sub/deep\"\n"
                                 "\n"
                                 "Operation completes.\n"
                                 "7 files were verified. 1 file did not exist. 1 file could not "
                                 "be opened. 1 file changed. \n"
                                 "\n"
                                 "The following files have been changed since the check file is "
                                 "made:\n" +
                                 at + "changed\n\nThe following files are lost:\n" + at +
                                 "gone\n\nThe following files could not be opened during the "
                                 "MD5 checksum calculation:\n" +
                                 at + "secret\n";
    for (std::size_t index = 0; index < flags.size(); ++index) {
        const CliRun run = RunCli(
            {"verify", "--base", data, folder / "list" + std::to_string(index)}, As::Unprivileged);
        EXPECT_EQ(run.exitCode, 1) << flags[index] << run.err;
        EXPECT_EQ(run.out, expected) << flags[index];
        EXPECT_EQ(run.err, "sumwarden-cli: " + at + "secret: File access denied\n") << flags[index];
    }
}

TEST(CliLists, WritesListsThatMd5sumAcceptsWithoutWritingIntoTheFolder) {
    ScratchFolder folder;
    const std::string data = folder.MakeFolder("data");
    for (const char* name : {"a", "back\\slash", "new\nline", "sub/b"}) {
        folder.WriteFile(std::string("data/") + name, name);
    }
    ASSERT_EQ(::chmod((folder / "data/sub").c_str(), 0555), 0);
    ASSERT_EQ(::chmod(data.c_str(), 0555), 0);
    const std::vector<std::string> before = Listing(data);

    // The folder is no place for a check file of this user.
    const CliRun refused = RunCli({"make", data}, As::Unprivileged);
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.err, "sumwarden-cli: " + data + "/CheckSum.md5: File access denied\n");

    for (const std::string format : {"md5sum", "bsd"}) {
        const std::string list = folder / ("list." + format);
        const CliRun made =
            RunCli({"make", "--format", format, "--output", list, data}, As::Unprivileged);
        EXPECT_EQ(made.exitCode, 0) << format << made.err;
        EXPECT_NE(made.out.find("The MD5 checksum file is save at \"" + list + "\"\n"),
                  std::string::npos);
        EXPECT_EQ(RunIn(data, "md5sum -c --strict --quiet '" + list + "'"), 0) << format;
        const CliRun verified = RunCli({"verify", "--base", data, list}, As::Unprivileged);
        EXPECT_EQ(verified.exitCode, 0) << format << verified.out;
        EXPECT_NE(verified.out.find("4 files were verified. 0 file changed. \n"),
                  std::string::npos);
    }
    EXPECT_EQ(Listing(data), before);
}

TEST(CliLists, ReportsNewAndMovedFilesOnlyWhenAsked) {
    ScratchFolder folder;
    const std::string data = folder.MakeFolder("data");
    folder.WriteFile("data/keep", "keep");
    folder.WriteFile("data/old", "old");
    folder.WriteFile("data/sub/inner", "inner");
    ASSERT_EQ(RunCli({"make", data}).exitCode, 0);
    ASSERT_EQ(
        RunCli({"make", "--format", "md5sum", "--output", folder / "elsewhere.md5", data}).exitCode,
        0);
    ASSERT_EQ(RunCli({"make", "--no-subfolders", "--output", folder / "top.md5", data}).exitCode,
              0);
    std::filesystem::rename(folder / "data/old", folder / "data/sub/renamed");
    folder.WriteFile("data/fresh", "fresh");
    folder.WriteFile("data/sub/added", "added");
    // Left out as the maker leaves them out.
    folder.WriteFile("data/.hidden/x", "x");
    ASSERT_EQ(::mkfifo((folder / "data/fifo").c_str(), 0644), 0);

    const CliRun plain = RunCli({"verify", data});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_EQ(plain.out, "OK ... \"" + data + "/keep\"\n" + "File does not exist ... \"" + data +
                             "/old\"\n" + "OK ... \"" + data + "/sub/inner\"\n" +
                             "\n"
                             "Operation completes.\n"
                             "3 files were verified. 1 file did not exist. 0 file changed. \n"
                             "\n"
                             "The following files are lost:\n" +
                             data + "/old\n");

    const std::string audit =
        "OK ... \"" + data + "/keep\"\n" + "File does not exist ... \"" + data + "/old\"\n" +
        "OK ... \"" + data + "/sub/inner\"\n" +
        "\n"
        "Operation completes.\n"
        "3 files were verified. 0 file changed. 2 files new. 1 file moved. \n"
        "\n"
        "The following files are new since the check file is made:\n" +
        data + "/fresh\n" + data +
        "/sub/added\n"
        "\n"
        "The following files have been moved or renamed since the check file is made:\n"
        "\"" +
        data + "/old\" -> \"" + data + "/sub/renamed\"\n";
    const CliRun withNew = RunCli({"verify", "--new", data});
    EXPECT_EQ(withNew.exitCode, 1);
    EXPECT_EQ(withNew.out, audit);
    // A list kept elsewhere finds the same.
    EXPECT_EQ(RunCli({"verify", "--new", "--base", data, folder / "elsewhere.md5"}).out, audit);

    // No entry in a sub folder: sub folders are not searched, so nothing was moved.
    const CliRun top = RunCli({"verify", "--new", "--base", data, folder / "top.md5"});
    EXPECT_EQ(top.exitCode, 1);
    EXPECT_NE(top.out.find("2 files were verified. 1 file did not exist. 0 file changed. 1 file "
                           "new. 0 file moved. \n"),
              std::string::npos)
        << top.out;
    EXPECT_NE(top.out.find("made:\n" + data + "/fresh\n"), std::string::npos);
}

TEST(CliLists, NamesWhyAFileOrFolderCouldNotBeOpened) {
    ScratchFolder folder;
    const std::string data = folder.MakeFolder("data");
    folder.WriteFile("data/locked/inside", "abc");
    folder.WriteFile("data/open", "abc");
    ASSERT_EQ(RunCli({"make", data}).exitCode, 0);
    ASSERT_EQ(::chmod((folder / "data/locked").c_str(), 0), 0);
    const auto merged = [] { ::dup2(1, 2); };

    // The folder may not be searched: the file in it exists, but cannot be opened. Its
    // reason follows its line, also when both streams go to one file.
    const CliRun verified = RunCli({"verify", data}, As::Unprivileged, merged);
    ASSERT_NE(verified.exitCode, kDropFailed) << "cannot run as an unprivileged user";
    EXPECT_EQ(verified.exitCode, 1);
    EXPECT_EQ(verified.out.substr(0, verified.out.find("\n\n")),
              "Could not open file ... \"" + data + "/locked/inside\"\n" + "sumwarden-cli: " +
                  data + "/locked/inside: File access denied\n" + "OK ... \"" + data + "/open\"");
    EXPECT_NE(verified.out.find("2 files were verified. 1 file could not be opened. 0 file "
                                "changed. \n"),
              std::string::npos);

    const CliRun made =
        RunCli({"make", "--output", folder / "list.md5", data}, As::Unprivileged, merged);
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_EQ(made.out.substr(0, made.out.find("\n\n")),
              "Processing folder \"" + data + "/locked\" ... Could not open folder\n" +
                  "sumwarden-cli: " + data + "/locked: File access denied\n" +
                  "Processing file \"open\" ... OK");

    const CliRun hashed =
        RunCli({"hash", data + "/locked/inside", "/proc/self/mem"}, As::Unprivileged);
    EXPECT_EQ(hashed.exitCode, 1);
    EXPECT_EQ(hashed.out, data + "/locked/inside\tCould not open file\n/proc/self/mem\t" +
                              "Could not open file\n");
    EXPECT_EQ(hashed.err, "sumwarden-cli: " + data + "/locked/inside: File access denied\n" +
                              "sumwarden-cli: /proc/self/mem: Input/output error\n");
}

} // namespace
} // namespace sumwarden
