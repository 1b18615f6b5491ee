// Runs the built sumwarden-cli and checks its exit codes, output lines and error texts.

#include "tests/platform/TestFiles.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sumwarden {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;

const std::string kAbc = "900150983cd24fb0d6963f7d28e17f72";

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

enum class As { Caller, Unprivileged };

// Runs the program with the given arguments; prepare runs in the child just before exec.
CliRun RunCli(const std::vector<std::string>& arguments, As as = As::Caller,
              const std::function<void()>& prepare = {}) {
    ScratchFolder outputs;
    const std::string outPath = outputs / "out";
    const std::string errPath = outputs / "err";
    // The build tree may lie where the unprivileged user cannot go (a home folder of mode
    // 0700): that user runs a copy from the scratch folder.
    std::string program = SUMWARDEN_CLI;
    if (as == As::Unprivileged) {
        program = outputs / "sumwarden-cli";
        std::filesystem::copy_file(SUMWARDEN_CLI, program);
        std::filesystem::permissions(program, std::filesystem::perms(0755));
    }
    const auto body = [&] {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
            return 127;
        }
        if (prepare) {
            prepare();
        }
        std::vector<char*> argv{program.data()};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        return 127;
    };
    const int exitCode =
        as == As::Unprivileged ? testing::RunUnprivileged(body) : testing::RunInChild(body);
    return {exitCode, ReadWholeFile(outPath), ReadWholeFile(errPath)};
}

TEST(Cli, PrintsVersionUsageAndRefusesUnknownCommands) {
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Sumwarden Version 2.1\n");
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("sumwarden-cli make [--no-subfolders] FOLDER"), std::string::npos);
    EXPECT_EQ(RunCli({}).exitCode, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCli({"hash"}).exitCode, 2);
    EXPECT_EQ(RunCli({"make", "a", "b"}).exitCode, 2);
}

TEST(Cli, HashPrintsOneLinePerFileInOrder) {
    ScratchFolder folder;
    const std::string abc = folder.WriteFile("abc", "abc");
    const std::string empty = folder.WriteFile("empty");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);

    const CliRun good = RunCli({"hash", abc, empty});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.out, abc + "\t" + kAbc + "\n" + empty + "\td41d8cd98f00b204e9800998ecf8427e\n");

    const CliRun bad = RunCli({"hash", folder / "fifo", abc, folder / "missing"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, folder / "fifo" + "\tCould not open file\n" + abc + "\t" + kAbc + "\n" +
                           folder / "missing" + "\tCould not open file\n");
}

TEST(Cli, RefusesUnusableFieldsOnStandardError) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("file");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"make", ""}, "Please select a folder firstly.\n"},
        {{"make", "  "}, "Please select a folder firstly.\n"},
        {{"make", folder / "missing"}, "The folder does not exists.\n"},
        {{"make", "--no-subfolders", file}, "The folder does not exists.\n"},
        {{"verify", ""}, "Please select a check file firstly.\n"},
        {{"verify", folder / "missing.md5"}, "The check file does not exists.\n"},
        {{"verify", folder.Path()}, "The check file does not exists.\n"}};
    for (const auto& [arguments, text] : cases) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << text;
        EXPECT_EQ(run.err, text);
        EXPECT_EQ(run.out, "");
    }
}

TEST(Cli, MakeThenVerifyReportsEveryFileUnchanged) {
    ScratchFolder folder;
    folder.WriteFile("data/abc", "abc");
    folder.WriteFile("data/sub/deeper/file", "content");
    const std::string data = folder / "data";

    const CliRun made = RunCli({"make", data});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, "Processing file \"abc\" ... OK\n"
                        "Processing folder \"" +
                            data +
                            "/sub\" ...\n"
                            "Processing folder \"" +
                            data +
                            "/sub/deeper\" ...\n"
                            "Processing file \"file\" ... OK\n"
                            "\n"
                            "Operation completed.\n"
                            "The MD5 checksum file is save at \"" +
                            data + "/CheckSum.md5\"\n");

    const CliRun verified = RunCli({"verify", data + "/CheckSum.md5"});
    EXPECT_EQ(verified.exitCode, 0);
    EXPECT_EQ(verified.out, "OK ... \"" + data +
                                "/abc\"\n"
                                "OK ... \"" +
                                data +
                                "/sub/deeper/file\"\n"
                                "\n"
                                "Operation completes.\n"
                                "2 files were verified. 0 file changed. \n");

    folder.WriteFile("data/abc", "abd");
    const CliRun changed = RunCli({"verify", data + "/CheckSum.md5"});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_NE(changed.out.find("File changed ... \"" + data + "/abc\"\n"), std::string::npos);
}

TEST(Cli, WorksWithPathsRelativeToTheCurrentFolder) {
    ScratchFolder folder;
    folder.WriteFile("abc", "abc");
    folder.WriteFile("sub/skipped", "abc");
    const auto inFolder = [&] { (void)!::chdir(folder.Path().c_str()); };

    const CliRun made = RunCli({"make", "--no-subfolders", "."}, As::Caller, inFolder);
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_NE(made.out.find("The MD5 checksum file is save at \"./CheckSum.md5\""),
              std::string::npos);
    const CliRun verified = RunCli({"verify", "CheckSum.md5"}, As::Caller, inFolder);
    EXPECT_EQ(verified.exitCode, 0);
    EXPECT_EQ(verified.out.substr(0, 12), "OK ... \"abc\"");
    EXPECT_NE(verified.out.find("1 file was verified. 0 file changed. \n"), std::string::npos);
}

TEST(Cli, MakeExitsWithOneWhenSomeFileIsLeftOut) {
    ScratchFolder folder;
    folder.WriteFile("abc", "abc");
    ASSERT_EQ(::chmod(folder.WriteFile("secret", "x").c_str(), 0), 0);
    const CliRun unreadable = RunCli({"make", folder.Path()}, As::Unprivileged);
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_NE(unreadable.out.find("Processing file \"secret\" ... Could not open file\n"),
              std::string::npos);

    ScratchFolder odd;
    odd.WriteFile("back\\slash", "abc");
    const CliRun unsupported = RunCli({"make", odd.Path()});
    EXPECT_EQ(unsupported.exitCode, 1);
    EXPECT_NE(unsupported.out.find("Processing file \"back\\slash\" ... Name not supported\n"),
              std::string::npos);
}

TEST(Cli, ReportsCheckFileFailuresWithExitThree) {
    ScratchFolder folder;
    for (int i = 0; i < 100; ++i) {
        folder.WriteFile("file" + std::to_string(i), "abc");
    }
    const CliRun full = RunCli({"make", folder.Path()}, As::Caller, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_EQ(full.err, "I/O error 27\n");
    EXPECT_EQ(full.out.find("Operation completed."), std::string::npos);
    EXPECT_NE(::access((folder / "CheckSum.md5").c_str(), F_OK), 0);

    const std::string locked = folder.MakeFolder("locked");
    const CliRun denied = RunCli({"make", locked}, As::Unprivileged);
    EXPECT_EQ(denied.exitCode, 3);
    EXPECT_EQ(denied.err, "File access denied\n");

    const std::string checkFile = folder.WriteFile("secret.md5", "");
    ASSERT_EQ(::chmod(checkFile.c_str(), 0), 0);
    const CliRun unreadable = RunCli({"verify", checkFile}, As::Unprivileged);
    EXPECT_EQ(unreadable.exitCode, 3);
    EXPECT_EQ(unreadable.err, "File access denied\n");
    EXPECT_EQ(unreadable.out, "");
}

} // namespace
} // namespace sumwarden
