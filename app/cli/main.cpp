// sumwarden-cli: the window's three jobs for scripts and servers, with the same lines.

#include "app/cli/CliOutput.h"
#include "app/cli/CliProgress.h"
#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "checksum/FileDigestList.h"
#include "platform/Files.h"
#include "platform/IoError.h"
#include "platform/TemporaryFileCleanup.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace sumwarden::cli;

constexpr int kExitDone = 0;
constexpr int kExitSomeFilesFailed = 1;
constexpr int kExitRefused = 2;
constexpr int kExitJobFileFailed = 3;
// A job stopped by SIGINT: the program ends by that signal, which a shell reports as 130.
constexpr int kExitStopped = 130;

constexpr std::string_view kVersion = "Sumwarden Version 2.1";

constexpr std::string_view kUsage =
    "Usage:\n"
    "  sumwarden-cli hash [-j N] FILE...\n"
    "      Print each file's MD5 digest: the path, a TAB, the digest or \"Could not open file\".\n"
    "      A FILE of - reads standard input.\n"
    "  sumwarden-cli make [-j N] [--no-subfolders] FOLDER\n"
    "      Write FOLDER/CheckSum.md5 with the digest of every file under FOLDER.\n"
    "  sumwarden-cli verify [-j N] CHECKFILE|FOLDER\n"
    "      Check every file listed in CHECKFILE (or FOLDER/CheckSum.md5) and report what\n"
    "      changed.\n"
    "  sumwarden-cli --help | --version\n"
    "\n"
    "Options:\n"
    "  --no-subfolders  make: list only the files of FOLDER itself\n"
    "  -j, --jobs N     hash N files at once (1 to 1024; default: the processors this\n"
    "                   process may use); the output is the same for any N\n"
    "  -q, --quiet      print only what failed (could not be opened, changed, missing)\n"
    "                   and the closing lines\n"
    "  --progress       make, verify: show files and bytes done, their totals, the share\n"
    "                   done and the time left once known, and the rate on standard\n"
    "                   error (the default when standard error is a terminal)\n"
    "  --no-progress    no progress line\n"
    "  --               end of options: every argument after it is a FILE or FOLDER\n"
    "\n"
    "Control characters in names are shown as \\xHH when the output is a terminal.\n"
    "\n"
    "Exit status:\n"
    "  0  done: every file was hashed, listed or found unchanged\n"
    "  1  some file or folder could not be opened, has a name a check file cannot hold,\n"
    "     changed or is missing\n"
    "  2  the folder or check file was refused (also a file that holds no check-file\n"
    "     entries), or the command line is wrong\n"
    "  3  the check file could not be read or written, or standard output could not be\n"
    "     written\n"
    "\n"
    "SIGINT (Ctrl+C) stops the job and prints what it did so far; a stopped make leaves\n"
    "the folder's check file as it was. The program then ends by that signal.\n";

// The path as an error message names it; an empty or blank one is shown quoted.
std::string Named(const std::string& path) {
    return sumwarden::FieldIsBlank(path) ? "\"" + path + "\"" : path;
}

int Refuse(const std::string& path, std::string_view text) {
    PrintError(Named(path) + ": " + std::string(text));
    return kExitRefused;
}

int UsageError(std::string_view problem) {
    PrintError(problem);
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return kExitRefused;
}

// The job SIGINT stops. The first SIGINT asks it to stop; the handler is then reset, so a
// second one ends the program at once, as does the first when the program is still there
// a second later (blocked on a full pipe, say).
std::atomic<sumwarden::JobControl*> gInterruptedJob = nullptr;
constexpr unsigned kSecondsToStop = 1;

extern "C" void EndAsInterrupted(int) {
    sumwarden::TemporaryFileCleanup::RemoveAll();
    ::signal(SIGINT, SIG_DFL);
    ::raise(SIGINT);
}

extern "C" void StopOnInterrupt(int) {
    if (sumwarden::JobControl* job = gInterruptedJob.load()) {
        job->RequestStop();
    }
    ::signal(SIGALRM, EndAsInterrupted);
    ::alarm(kSecondsToStop);
}

// How a job's lines and progress reach the user, and how SIGINT stops the job.
class JobOutput {
public:
    JobOutput(bool quiet, bool progress) : quiet_(quiet), progress_(progress, control_) {
        // The share done and the time left go by bytes, at one more look per file.
        if (progress) {
            control_.MeasureTotalBytes();
        }
        gInterruptedJob = &control_;
        struct sigaction action {};
        action.sa_handler = StopOnInterrupt;
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, nullptr);
    }
    ~JobOutput() {
        ::signal(SIGINT, SIG_DFL);
        gInterruptedJob = nullptr;
    }
    JobOutput(const JobOutput&) = delete;
    JobOutput& operator=(const JobOutput&) = delete;

    sumwarden::JobObserver Observer() {
        return {[this](const std::string& line, sumwarden::LineKind kind) { Line(line, kind); },
                [this](std::uint64_t) { progress_.Update(); }, &control_};
    }
    void Line(const std::string& line, sumwarden::LineKind kind) {
        if (quiet_ && kind == sumwarden::LineKind::Progress) {
            return;
        }
        progress_.WithoutLine([&line] { PrintLine(line); });
    }
    void Error(std::string_view text) {
        progress_.WithoutLine([text] { PrintError(text); });
    }
    sumwarden::JobControl* Control() { return &control_; }

private:
    bool quiet_;
    sumwarden::JobControl control_;
    ProgressLine progress_;
};

sumwarden::FileDigestRow StandardInputRow() {
    if (const std::optional<sumwarden::TDigest> digest =
            sumwarden::TryDescriptorDigest(STDIN_FILENO)) {
        return {"-", sumwarden::DigestToHex(*digest), true};
    }
    return {"-", std::string(sumwarden::kCouldNotOpenFile), false};
}

int Hash(const std::vector<std::string>& paths, bool quiet, std::size_t jobs,
         sumwarden::JobControl* control) {
    bool allOpened = true;
    const auto print = [&allOpened, quiet](const sumwarden::FileDigestRow& row) {
        allOpened = allOpened && row.opened;
        if (!quiet || !row.opened) {
            PrintLine(row.path + "\t" + row.text);
        }
    };
    try {
        sumwarden::DigestPipeline pipeline(jobs, control);
        for (const std::string& path : paths) {
            if (path == "-") {
                pipeline.Then([&print] { print(StandardInputRow()); });
            } else {
                pipeline.Hash(sumwarden::OpenByPath(path),
                              [&print, path](const sumwarden::FileOutcome& outcome) {
                                  print(sumwarden::FileDigestRowOf(path, outcome));
                              });
            }
        }
        pipeline.Finish();
    } catch (const sumwarden::JobStopped&) {
        return kExitStopped;
    }
    return allOpened ? kExitDone : kExitSomeFilesFailed;
}

int Make(const std::string& folder, bool includeSubFolders, JobOutput& output, std::size_t jobs) {
    if (const auto refusal = sumwarden::RefuseMakeFolder(folder)) {
        return Refuse(folder, *refusal);
    }
    try {
        const sumwarden::MakeResult result =
            sumwarden::MakeCheckFile(folder, includeSubFolders, output.Observer(), jobs);
        if (result.stopped) {
            return kExitStopped;
        }
        return result.Complete() ? kExitDone : kExitSomeFilesFailed;
    } catch (const sumwarden::IoError& error) {
        output.Error(sumwarden::CheckFilePathIn(folder) + ": " + error.what());
        return kExitJobFileFailed;
    }
}

int Verify(const std::string& argument, JobOutput& output, std::size_t jobs) {
    // A folder stands for the check file a make writes into it.
    const std::string checkFile =
        sumwarden::FolderExists(argument) ? sumwarden::CheckFilePathIn(argument) : argument;
    if (const auto refusal = sumwarden::RefuseCheckFile(checkFile)) {
        return Refuse(checkFile, *refusal);
    }
    try {
        const sumwarden::VerifyResult result =
            sumwarden::VerifyCheckFile(checkFile, output.Observer(), jobs);
        if (result.stopped) {
            return kExitStopped;
        }
        if (!result.LooksLikeACheckFile()) {
            output.Error(checkFile + ": the file holds no check-file entries");
            return kExitRefused;
        }
        return result.AllUnchanged() ? kExitDone : kExitSomeFilesFailed;
    } catch (const sumwarden::IoError& error) {
        output.Error(checkFile + ": " + error.what());
        return kExitJobFileFailed;
    }
}

// A closed standard stream gets a descriptor that fails every write (or read), so no file
// the job opens can take its number and receive output meant for the stream.
void OccupyClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) < 0) {
            const int mode = stream == STDIN_FILENO ? O_WRONLY : O_RDONLY;
            const int opened = ::open("/dev/null", mode);
            if (opened >= 0 && opened != stream) {
                ::dup2(opened, stream);
                ::close(opened);
            }
        }
    }
}

struct Arguments {
    bool help = false;
    bool quiet = false;
    bool progress = false;
    bool includeSubFolders = true;
    std::size_t jobs = sumwarden::DefaultJobCount();
    std::vector<std::string> operands;
};

// Everything after the first "--" is an operand, whatever it looks like. The library stops
// honouring the mark once a command's own operands are satisfied, so it never sees it.
std::vector<std::string> OperandsAfterMark(int& argc, char** argv) {
    for (int index = 1; index < argc; ++index) {
        if (std::string_view(argv[index]) == "--") {
            std::vector<std::string> operands(argv + index + 1, argv + argc);
            argc = index;
            return operands;
        }
    }
    return {};
}

int Run(int argc, char** argv) {
    Arguments arguments;
    const std::vector<std::string> afterMark = OperandsAfterMark(argc, argv);
    CLI::App app("Computes MD5 digests, writes and verifies check files.", "sumwarden-cli");
    app.set_help_flag();
    app.add_flag("-h,--help", arguments.help);
    app.set_version_flag("--version", std::string(kVersion));
    app.add_flag("-q,--quiet", arguments.quiet);
    app.add_option("-j,--jobs", arguments.jobs)->check(CLI::Range(1, 1024));
    CLI::Option* progress = app.add_flag("--progress,!--no-progress", arguments.progress);
    app.require_subcommand(0, 1);

    CLI::App* hash = app.add_subcommand("hash", "print each file's digest");
    hash->add_option("FILE", arguments.operands);
    CLI::App* make = app.add_subcommand("make", "write FOLDER/CheckSum.md5");
    make->add_flag("!--no-subfolders", arguments.includeSubFolders);
    make->add_option("FOLDER", arguments.operands);
    CLI::App* verify = app.add_subcommand("verify", "verify a check file");
    verify->add_option("CHECKFILE", arguments.operands);
    for (CLI::App* command : {hash, make, verify}) {
        // The common options may also follow the command.
        command->fallthrough();
        command->set_help_flag();
        command->add_flag("-h,--help", arguments.help);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion&) {
        PrintLine(kVersion);
        return kExitDone;
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    if (arguments.help) {
        PrintText(kUsage);
        return kExitDone;
    }
    if (progress->count() == 0) {
        arguments.progress = ::isatty(STDERR_FILENO) == 1;
    }
    // hash prints its rows itself, without a progress line.
    JobOutput output(arguments.quiet, arguments.progress && !*hash);
    std::vector<std::string>& operands = arguments.operands;
    operands.insert(operands.end(), afterMark.begin(), afterMark.end());
    if (*hash) {
        if (operands.empty()) {
            return UsageError("hash needs at least one FILE");
        }
        return Hash(operands, arguments.quiet, arguments.jobs, output.Control());
    }
    if (*make) {
        if (operands.size() != 1) {
            return UsageError("make needs one FOLDER");
        }
        return Make(operands.front(), arguments.includeSubFolders, output, arguments.jobs);
    }
    if (*verify) {
        if (operands.size() != 1) {
            return UsageError("verify needs one CHECKFILE or FOLDER");
        }
        return Verify(operands.front(), output, arguments.jobs);
    }
    return UsageError(operands.empty() ? "no command given"
                                       : "unknown command \"" + operands.front() + "\"");
}

} // namespace

int main(int argc, char** argv) {
    OccupyClosedStandardStreams();
    EscapeOutputFor(::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1);
    FlushEachLine(::isatty(STDOUT_FILENO) == 1);
    try {
        const int exitCode = Run(argc, argv);
        FinishOutput();
        if (exitCode == kExitStopped) {
            // Ends by the signal, so the shell knows the program was interrupted.
            EndAsInterrupted(SIGINT);
        }
        return exitCode;
    } catch (const OutputError& error) {
        PrintError(error.what());
        return kExitJobFileFailed;
    }
}
