#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigestList.h"
#include "checksum/JobControl.h"
#include "platform/Files.h"
#include "tests/platform/TestFiles.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace sumwarden {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;
using Lines = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kLargeFileSize = std::uint64_t{50} << 30;
const std::string kAbc = "900150983cd24fb0d6963f7d28e17f72";

// A small file, a sparse file far too large to read during the test, and another small one.
struct FolderWithALargeFile {
    ScratchFolder folder;
    FolderWithALargeFile() {
        folder.WriteFile("a", "abc");
        std::filesystem::resize_file(folder.WriteFile("b", ""), kLargeFileSize);
        folder.WriteFile("c", "abc");
    }
};

// Runs the job while another thread asks it to stop once the first file is handed over and
// the job is well inside the large file; returns how long the job took to end after that.
template <typename Job>
Clock::duration StopInsideTheLargeFile(JobControl& control, Job job) {
    Clock::time_point requested;
    std::thread stopper([&] {
        while (control.Now().filesDone < 1 || control.Now().bytesRead < (std::uint64_t{64} << 20)) {
            std::this_thread::yield();
        }
        requested = Clock::now();
        control.RequestStop();
    });
    job();
    const Clock::time_point ended = Clock::now();
    stopper.join();
    return ended - requested;
}

Lines SortedNames(const std::string& folder) {
    Lines names;
    const std::optional<std::vector<FolderEntry>> entries = ListFolder(folder);
    for (const FolderEntry& entry : entries.value()) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(JobStop, EndsEachJobWithinAFractionOfASecondInsideALargeFileAndReportsWhatWasDone) {
    const FolderWithALargeFile tree;
    const std::string& folder = tree.folder.Path();
    const std::string oldCheckFile =
        tree.folder.WriteFile("CheckSum.md5", "900150983cd24fb0d6963f7d28e17f72\ta\r\n"
                                              "00000000000000000000000000000000\tb\r\n"
                                              "900150983cd24fb0d6963f7d28e17f72\tc\r\n");
    const std::string oldText = ReadWholeFile(oldCheckFile);
    for (const std::size_t jobs : {std::size_t{1}, std::size_t{3}}) {
        SCOPED_TRACE(std::to_string(jobs) + " jobs");
        {
            JobControl control;
            Lines lines;
            JobObserver observer =
                LinesOnly([&](const std::string& line) { lines.push_back(line); });
            observer.control = &control;
            MakeResult result;
            EXPECT_LT(StopInsideTheLargeFile(
                          control, [&] { result = MakeCheckFile(folder, true, observer, jobs); }),
                      std::chrono::milliseconds(500));
            EXPECT_TRUE(result.stopped);
            EXPECT_EQ(lines, (Lines{"Processing file \"a\" ... OK", "",
                                    "Stopped: the check file was not written."}));
            EXPECT_EQ(ReadWholeFile(oldCheckFile), oldText);
            EXPECT_EQ(SortedNames(folder), (Lines{"CheckSum.md5", "a", "b", "c"}));
        }
        {
            JobControl control;
            control.MeasureTotalBytes();
            Lines lines;
            JobObserver observer =
                LinesOnly([&](const std::string& line) { lines.push_back(line); });
            observer.control = &control;
            VerifyResult result;
            EXPECT_LT(StopInsideTheLargeFile(
                          control, [&] { result = VerifyCheckFile(oldCheckFile, observer, jobs); }),
                      std::chrono::milliseconds(500));
            EXPECT_TRUE(result.stopped);
            EXPECT_EQ(lines,
                      (Lines{"OK ... \"" + folder + "/a\"", "", "Stopped after 1 of 3 entries.",
                             "1 file was verified. 0 file changed. "}));
            const JobControl::Progress progress = control.Now();
            EXPECT_EQ(progress.filesDone, 1u);
            EXPECT_EQ(progress.totalFiles, 3u);
            EXPECT_EQ(progress.totalBytes, kLargeFileSize + 6);
            EXPECT_LT(progress.Percent().value(), 100);
        }
        {
            JobControl control;
            Lines rows;
            std::size_t handedOver = 0;
            EXPECT_LT(StopInsideTheLargeFile(control,
                                             [&] {
                                                 handedOver = HashFileList(
                                                     {folder + "/a", folder + "/b", folder + "/c"},
                                                     [&](const FileDigestRow& row) {
                                                         rows.push_back(row.text);
                                                     },
                                                     jobs, &control);
                                             }),
                      std::chrono::milliseconds(500));
            EXPECT_EQ(handedOver, 1u);
            EXPECT_EQ(rows, Lines{kAbc});
        }
    }
}

// A job that runs to its end under a control reports the same lines as without one, and
// leaves the control telling how far it got.
TEST(JobStop, AJobNotStoppedReportsAsWithoutAControlAndCountsItsProgress) {
    ScratchFolder folder;
    folder.WriteFile("one", "abc");
    folder.WriteFile("sub/two", std::string(300000, 'x'));
    for (const std::size_t jobs : {std::size_t{1}, std::size_t{3}}) {
        Lines plain;
        MakeCheckFile(
            folder.Path(), true, [&](const std::string& line) { plain.push_back(line); }, jobs);
        JobControl control;
        control.MeasureTotalBytes();
        Lines watched;
        JobObserver observer = LinesOnly([&](const std::string& line) { watched.push_back(line); });
        observer.control = &control;
        EXPECT_FALSE(MakeCheckFile(folder.Path(), true, observer, jobs).stopped);
        EXPECT_EQ(watched, plain);
        JobControl::Progress progress = control.Now();
        EXPECT_EQ(progress.filesDone, 2u);
        EXPECT_EQ(progress.totalFiles, 2u);
        EXPECT_EQ(progress.totalBytes, 300003u);
        EXPECT_EQ(progress.bytesRead, 300003u);
        EXPECT_EQ(progress.Percent(), 100);

        JobControl verifyControl;
        Lines verified;
        observer = LinesOnly([&](const std::string& line) { verified.push_back(line); });
        observer.control = &verifyControl;
        EXPECT_FALSE(VerifyCheckFile(folder / "CheckSum.md5", observer, jobs).stopped);
        EXPECT_EQ(verified.size(), 5u);
        EXPECT_EQ(verified[3], "Operation completes.");
        // Not asked to measure the bytes, it counts the share done by entries.
        progress = verifyControl.Now();
        EXPECT_EQ(progress.totalFiles, 2u);
        EXPECT_EQ(progress.totalBytes, JobControl::kUnknown);
        EXPECT_EQ(progress.Percent(), 100);
    }
}

} // namespace
} // namespace sumwarden
