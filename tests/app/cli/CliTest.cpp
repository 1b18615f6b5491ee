// Runs the built sumwarden-cli and checks its exit codes, output lines and error texts.

#include "tests/platform/TestFiles.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    EXPECT_NE(help.out.find("sumwarden-cli make [-j N] [--no-subfolders] FOLDER"),
              std::string::npos);
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

TEST(Cli, RefusesUnusableFieldsOnStandardErrorNamingThePath) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("file");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"make", ""}, "\"\": Please select a folder firstly."},
        {{"make", "  "}, "\"  \": Please select a folder firstly."},
        {{"make", folder / "missing"}, folder / "missing: The folder does not exists."},
        {{"make", "--no-subfolders", file}, file + ": The folder does not exists."},
        {{"verify", ""}, "\"\": Please select a check file firstly."},
        {{"verify", folder / "missing.md5"},
         folder / "missing.md5: The check file does not exists."},
        {{"verify", folder.Path()}, folder / "CheckSum.md5: The check file does not exists."}};
    for (const auto& [arguments, text] : cases) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << text;
        EXPECT_EQ(run.err, "sumwarden-cli: " + text + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(Cli, FollowsTheCommandLineConventions) {
    ScratchFolder folder;
    const std::string dashed = folder.WriteFile("-abc", "abc");
    const auto inFolder = [&] { (void)!::chdir(folder.Path().c_str()); };

    // "--" ends the options, also after a first operand.
    const CliRun marked = RunCli({"hash", "--", "-abc"}, As::Caller, inFolder);
    EXPECT_EQ(marked.exitCode, 0) << marked.err;
    EXPECT_EQ(marked.out, "-abc\t" + kAbc + "\n");
    const CliRun later = RunCli({"hash", dashed, "--", "-abc", "--"}, As::Caller, inFolder);
    EXPECT_EQ(later.out, dashed + "\t" + kAbc + "\n-abc\t" + kAbc + "\n--\tCould not open file\n");
    const CliRun option = RunCli({"hash", "-abc"}, As::Caller, inFolder);
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_EQ(option.out, "");
    EXPECT_EQ(option.err.rfind("sumwarden-cli: ", 0), 0u) << option.err;

    // "-" reads standard input.
    const CliRun piped = RunCli({"hash", "-", dashed}, As::Caller, [&] {
        const int input = ::open(dashed.c_str(), O_RDONLY);
        ::dup2(input, 0);
    });
    EXPECT_EQ(piped.out, "-\t" + kAbc + "\n" + dashed + "\t" + kAbc + "\n");

    // A folder stands for its CheckSum.md5.
    ASSERT_EQ(RunCli({"make", folder.Path()}).exitCode, 0);
    const CliRun verified = RunCli({"verify", folder.Path()});
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_NE(verified.out.find("1 file was verified. 0 file changed. \n"), std::string::npos);

    // Usage errors go to standard error with the usage, exit 2.
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"make", "--bogus", "x"}, {"verify", "a", "b"}, {"verify"}, {"make", "--"}}) {
        const CliRun run = RunCli(wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong.front();
        EXPECT_EQ(run.err.rfind("sumwarden-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
}

TEST(Cli, HelpDocumentsEveryExitCode) {
    const CliRun help = RunCli({"make", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* code : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  "}) {
        EXPECT_NE(help.out.find(code), std::string::npos) << code;
    }
}

TEST(Cli, LeavesNoTemporaryCheckFileWhenASignalEndsAMake) {
    ScratchFolder folder;
    folder.WriteFile("abc", "abc");
    // Standard output is a pipe nobody reads: the first line ends the make with SIGPIPE.
    const CliRun run = RunCli({"make", folder.Path()}, As::Caller, [] {
        std::signal(SIGPIPE, SIG_DFL);
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], 1);
        }
    });
    EXPECT_EQ(run.exitCode, 128 + SIGPIPE);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Cli, RefusesFilesThatAreNoCheckFiles) {
    ScratchFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0644), 0);
    for (const std::string& device : {std::string("/dev/zero"), folder / "fifo"}) {
        const CliRun run = RunCli({"verify", device});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err,
                  "sumwarden-cli: " + device + ": The check file is not a regular file.\n");
        EXPECT_EQ(run.out, "");
    }
    const std::string md5sumStyle = folder.WriteFile("sums.md5", kAbc + "  abc\n");
    const CliRun run = RunCli({"verify", md5sumStyle});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "sumwarden-cli: " + md5sumStyle + ": the file holds no check-file entries\n");
    EXPECT_EQ(run.out, "\nOperation completes.\n0 file was verified. 0 file changed. \n");
    // Lines to a file wait a moment before they go out, but never behind a later error.
    const CliRun merged = RunCli({"verify", md5sumStyle}, As::Caller, [] { ::dup2(1, 2); });
    EXPECT_EQ(merged.out, run.out + run.err);
    // The check file of an empty folder is a check file.
    const std::string empty = folder.MakeFolder("empty");
    ASSERT_EQ(RunCli({"make", empty}).exitCode, 0);
    EXPECT_EQ(RunCli({"verify", empty}).exitCode, 0);
}

TEST(Cli, QuietPrintsOnlyFailuresAndTheClosingLines) {
    ScratchFolder folder;
    const std::string abc = folder.WriteFile("abc", "abc");
    folder.WriteFile("sub/back\\slash", "abc");
    const CliRun made = RunCli({"make", "--quiet", folder.Path()});
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_EQ(made.out, "Processing file \"back\\slash\" ... Name not supported\n"
                        "\n"
                        "Operation completed.\n"
                        "The MD5 checksum file is save at \"" +
                            folder / "CheckSum.md5\"\n");

    folder.WriteFile("abc", "abd");
    const CliRun verified = RunCli({"-q", "verify", folder.Path()});
    EXPECT_EQ(verified.exitCode, 1);
    EXPECT_EQ(verified.out, "File changed ... \"" + abc +
                                "\"\n"
                                "\n"
                                "Operation completes.\n"
                                "1 file was verified. 1 file changed. \n"
                                "\n"
                                "The following files have been changed since the check file is "
                                "made:\n" +
                                abc + "\n");

    const CliRun hashed = RunCli({"hash", abc, folder / "missing", "-q"});
    EXPECT_EQ(hashed.out, folder / "missing\tCould not open file\n");
}

TEST(Cli, ShowsProgressOnStandardErrorOnlyWhenAskedOrOnATerminal) {
    ScratchFolder folder;
    folder.WriteFile("abc", "abc");
    const CliRun plain = RunCli({"make", folder.Path()});
    EXPECT_EQ(plain.err, "");
    const CliRun shown = RunCli({"make", "--progress", folder.Path()});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.out, plain.out);
    // Whether the walk (or the count of entries) was done when the file was, and so the
    // totals known, may vary.
    EXPECT_EQ(shown.err.rfind("\r\033[K1 ", 0), 0u) << shown.err;
    EXPECT_NE(shown.err.find("1 file, 3 B"), std::string::npos) << shown.err;
    EXPECT_TRUE(shown.err.ends_with("\r\033[K")) << shown.err;
    const CliRun verified = RunCli({"verify", folder.Path(), "--progress"});
    EXPECT_EQ(verified.err.rfind("\r\033[K1 ", 0), 0u) << verified.err;
    EXPECT_NE(verified.err.find(" 3 B"), std::string::npos) << verified.err;
    EXPECT_TRUE(verified.err.ends_with("\r\033[K")) << verified.err;
    EXPECT_EQ(RunCli({"verify", folder.Path(), "--progress", "--no-progress"}).err, "");
}

TEST(Cli, EscapesControlCharactersOnlyOnATerminal) {
    ScratchFolder folder;
    const std::string name = "red\x1b[31m";
    folder.WriteFile(name, "abc");
    ASSERT_EQ(RunCli({"make", folder.Path()}).exitCode, 0);
    const CliRun piped = RunCli({"verify", folder.Path()});
    EXPECT_NE(piped.out.find("OK ... \"" + folder / name + "\"\n"), std::string::npos);

    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    // Held open here too, so what the program wrote stays readable after it ended.
    const int screen = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(screen, 0);
    RunCli({"verify", "--no-progress", folder.Path()}, As::Caller, [&] { ::dup2(screen, 1); });
    std::string shown;
    char buffer[4096];
    for (ssize_t count; (count = ::read(terminal, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(screen);
    ::close(terminal);
    EXPECT_NE(shown.find("OK ... \"" + folder / "red\\x1b[31m\""), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
}

TEST(Cli, FailsWhenStandardOutputCannotBeWritten) {
    ScratchFolder folder;
    const std::string abc = folder.WriteFile("abc", "abc");
    const auto toFull = [] {
        const int full = ::open("/dev/full", O_WRONLY);
        ::dup2(full, 1);
    };
    const auto closed = [] { ::close(1); };
    ASSERT_EQ(RunCli({"make", folder.Path()}).exitCode, 0);
    const std::string checkFile = ReadWholeFile(folder / "CheckSum.md5");
    for (const auto& prepare : {std::function<void()>(toFull), std::function<void()>(closed)}) {
        for (const std::vector<std::string>& job :
             std::vector<std::vector<std::string>>{{"hash", abc},
                                                   {"make", folder.Path()},
                                                   {"verify", folder.Path()},
                                                   {"--version"}}) {
            const CliRun run = RunCli(job, As::Caller, prepare);
            EXPECT_EQ(run.exitCode, 3) << job.front();
            EXPECT_EQ(run.err.rfind("sumwarden-cli: write error on standard output: ", 0), 0u)
                << run.err;
        }
    }
    // A make that cannot report leaves the previous check file, and never writes into it
    // what was meant for a closed standard output.
    EXPECT_EQ(ReadWholeFile(folder / "CheckSum.md5"), checkFile);
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

    ScratchFolder withLocked;
    withLocked.WriteFile("locked/inside", "abc");
    ASSERT_EQ(::chmod((withLocked / "locked").c_str(), 0), 0);
    const CliRun unlisted = RunCli({"make", withLocked.Path()}, As::Unprivileged);
    EXPECT_EQ(unlisted.exitCode, 1);
    EXPECT_EQ(unlisted.out.substr(0, unlisted.out.find('\n')),
              "Processing folder \"" + withLocked / "locked\" ... Could not open folder");

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
    // Standard output goes to a device, which the file size limit does not cover.
    const CliRun full = RunCli({"make", folder.Path()}, As::Caller, [] {
        ::dup2(::open("/dev/null", O_WRONLY), 1);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_EQ(full.err, "sumwarden-cli: " + folder / "CheckSum.md5: I/O error 27\n");
    EXPECT_NE(::access((folder / "CheckSum.md5").c_str(), F_OK), 0);

    const std::string locked = folder.MakeFolder("locked");
    const CliRun denied = RunCli({"make", locked}, As::Unprivileged);
    EXPECT_EQ(denied.exitCode, 3);
    EXPECT_EQ(denied.err, "sumwarden-cli: " + locked + "/CheckSum.md5: File access denied\n");

    const std::string checkFile = folder.WriteFile("secret.md5", "");
    ASSERT_EQ(::chmod(checkFile.c_str(), 0), 0);
    const CliRun unreadable = RunCli({"verify", checkFile}, As::Unprivileged);
    EXPECT_EQ(unreadable.exitCode, 3);
    EXPECT_EQ(unreadable.err, "sumwarden-cli: " + checkFile + ": File access denied\n");
    EXPECT_EQ(unreadable.out, "");
}

// A check file's entries: everything after the header, whose time line differs between
// two makes that straddle a second.
std::string CheckFileEntries(const std::string& path) {
    const std::string whole = ReadWholeFile(path);
    const std::size_t headerEnd = whole.find("\r\n\r\n");
    return headerEnd == std::string::npos ? whole : whole.substr(headerEnd);
}

TEST(Cli, PrintsTheSameForAnyNumberOfJobs) {
    ScratchFolder folder;
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i) {
        std::string relative = "d";
        relative += std::to_string(i % 4);
        relative += "/f";
        relative += std::to_string(i);
        files.push_back(
            folder.WriteFile(relative, std::string(static_cast<std::size_t>(i) * 1000, 'x')));
    }
    ASSERT_EQ(::mkfifo((folder / "d1/fifo").c_str(), 0644), 0);
    files.push_back(folder / "missing");

    std::vector<std::string> hashArguments = {"hash", "-j1"};
    hashArguments.insert(hashArguments.end(), files.begin(), files.end());
    const CliRun sequential = RunCli(hashArguments);
    hashArguments[1] = "--jobs=3";
    const CliRun parallel = RunCli(hashArguments);
    EXPECT_EQ(sequential.exitCode, 1);
    EXPECT_EQ(parallel.exitCode, 1);
    EXPECT_EQ(parallel.out, sequential.out);

    const CliRun madeSequentially = RunCli({"make", "-j", "1", folder.Path()});
    const std::string entries = CheckFileEntries(folder / "CheckSum.md5");
    const CliRun madeInParallel = RunCli({"-j", "5", "make", folder.Path()});
    EXPECT_EQ(madeInParallel.out, madeSequentially.out);
    EXPECT_EQ(CheckFileEntries(folder / "CheckSum.md5"), entries);

    folder.WriteFile("d2/f2", "changed");
    const CliRun verifiedSequentially = RunCli({"verify", "-j1", folder.Path()});
    const CliRun verifiedInParallel = RunCli({"verify", "-j", "7", folder.Path()});
    EXPECT_EQ(verifiedInParallel.exitCode, 1);
    EXPECT_EQ(verifiedInParallel.out, verifiedSequentially.out);

    EXPECT_EQ(RunCli({"hash", "-j0", files.front()}).exitCode, 2);
    EXPECT_EQ(RunCli({"hash", "--jobs", "many", files.front()}).exitCode, 2);
}

TEST(Cli, AnInterruptedMakeLeavesTheFolderAsItWas) {
    ScratchFolder folder;
    for (int i = 0; i < 2000; ++i) {
        folder.WriteFile("a-file-with-a-long-name-" + std::to_string(i), "abc");
    }
    folder.WriteFile("CheckSum.md5", "the old check file");
    // Standard output is a pipe read only until the first line: the make then stops once
    // the pipe is full, in the middle of its walk.
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], 1);
        ::execl(SUMWARDEN_CLI, SUMWARDEN_CLI, "make", folder.Path().c_str(), nullptr);
        ::_exit(127);
    }
    ::close(output[1]);
    char first = 0;
    ASSERT_EQ(::read(output[0], &first, 1), 1);
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(output[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              2001);
    EXPECT_EQ(ReadWholeFile(folder / "CheckSum.md5"), "the old check file");
}

// The progress line moves within a large file; SIGINT there stops the make at once, with
// its lines so far and the old check file kept, and the program ends by the signal.
TEST(Cli, SigintInsideALargeFileStopsTheMakeAndKeepsTheOldCheckFile) {
    ScratchFolder folder;
    folder.WriteFile("a", "abc");
    std::filesystem::resize_file(folder.WriteFile("b", ""), std::uintmax_t{50} << 30);
    folder.WriteFile("CheckSum.md5", "the old check file");
    ScratchFolder outputs;
    const std::string outPath = outputs / "out";
    int progress[2];
    ASSERT_EQ(::pipe(progress), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
        ::dup2(progress[1], 2);
        ::execl(SUMWARDEN_CLI, SUMWARDEN_CLI, "make", "--progress", "-j", "2",
                folder.Path().c_str(), nullptr);
        ::_exit(127);
    }
    ::close(progress[1]);
    // Three redraws while the large file is read, each with more bytes than the last.
    std::string shown;
    char buffer[256];
    while (std::count(shown.begin(), shown.end(), '\r') < 4) {
        const ssize_t count = ::read(progress[0], buffer, sizeof buffer);
        ASSERT_GT(count, 0) << shown;
        shown.append(buffer, static_cast<std::size_t>(count));
    }
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(progress[0]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_NE(shown.find("1 of 2 files, "), std::string::npos) << shown;
    EXPECT_NE(shown.find("/s"), std::string::npos) << shown;
    EXPECT_EQ(ReadWholeFile(outPath),
              "Processing file \"a\" ... OK\n\nStopped: the check file was not written.\n");
    EXPECT_EQ(ReadWholeFile(folder / "CheckSum.md5"), "the old check file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              3);
}

} // namespace
} // namespace sumwarden
