// sumwarden-cli: the window's three jobs for scripts and servers, with the same lines.

#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigestList.h"
#include "platform/IoError.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitSomeFilesFailed = 1;
constexpr int kExitRefused = 2;
constexpr int kExitCheckFileFailed = 3;

constexpr std::string_view kUsage =
    "Usage:\n"
    "  sumwarden-cli hash FILE...\n"
    "      Print each file's MD5 digest: the path, a TAB, the digest or \"Could not open file\".\n"
    "  sumwarden-cli make [--no-subfolders] FOLDER\n"
    "      Write FOLDER/CheckSum.md5 with the digest of every file under FOLDER.\n"
    "  sumwarden-cli verify CHECKFILE\n"
    "      Check every file listed in CHECKFILE and report what changed.\n"
    "  sumwarden-cli --help | --version\n"
    "\n"
    "Exit status: 0 done, 1 some file could not be opened, changed or is missing,\n"
    "2 the folder or check file was refused or the command line is wrong,\n"
    "3 the check file could not be read or written.\n";

// Each line goes out at once, bytes as they are, so a long walk shows its progress.
void WriteLine(std::FILE* stream, std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void PrintToStdout(const std::string& line) {
    WriteLine(stdout, line);
}

int Refuse(std::string_view text) {
    WriteLine(stderr, text);
    return kExitRefused;
}

int UsageError(std::string_view problem) {
    WriteLine(stderr, "sumwarden-cli: " + std::string(problem));
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return kExitRefused;
}

int Hash(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return UsageError("hash needs at least one FILE");
    }
    bool allOpened = true;
    sumwarden::ListFileDigests(paths, [&](const sumwarden::FileDigestRow& row) {
        allOpened = allOpened && row.opened;
        WriteLine(stdout, row.path + "\t" + row.text);
    });
    return allOpened ? kExitDone : kExitSomeFilesFailed;
}

int Make(std::vector<std::string> arguments) {
    bool includeSubFolders = true;
    if (!arguments.empty() && arguments.front() == "--no-subfolders") {
        includeSubFolders = false;
        arguments.erase(arguments.begin());
    }
    if (arguments.size() != 1) {
        return UsageError("make needs one FOLDER");
    }
    const std::string& folder = arguments.front();
    if (const auto refusal = sumwarden::RefuseMakeFolder(folder)) {
        return Refuse(*refusal);
    }
    const sumwarden::MakeResult result =
        sumwarden::MakeCheckFile(folder, includeSubFolders, PrintToStdout);
    return result.filesNotOpened + result.namesNotSupported == 0 ? kExitDone : kExitSomeFilesFailed;
}

int Verify(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return UsageError("verify needs one CHECKFILE");
    }
    const std::string& checkFile = arguments.front();
    if (const auto refusal = sumwarden::RefuseCheckFile(checkFile)) {
        return Refuse(*refusal);
    }
    return sumwarden::VerifyCheckFile(checkFile, PrintToStdout).AllUnchanged()
               ? kExitDone
               : kExitSomeFilesFailed;
}

int Run(const std::string& command, const std::vector<std::string>& arguments) {
    if (command == "--help" || command == "-h") {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return kExitDone;
    }
    if (command == "--version") {
        WriteLine(stdout, "Sumwarden Version 2.1");
        return kExitDone;
    }
    if (command == "hash") {
        return Hash(arguments);
    }
    if (command == "make") {
        return Make(arguments);
    }
    if (command == "verify") {
        return Verify(arguments);
    }
    return UsageError("unknown command \"" + command + "\"");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return UsageError("no command given");
    }
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    try {
        return Run(argv[1], arguments);
    } catch (const sumwarden::IoError& error) {
        WriteLine(stderr, error.what());
        return kExitCheckFileFailed;
    }
}
