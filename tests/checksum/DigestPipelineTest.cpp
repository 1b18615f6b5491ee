#include "checksum/DigestPipeline.h"

#include "checksum/CheckFileMaker.h"
#include "checksum/CheckFileVerifier.h"
#include "checksum/FileDigest.h"
#include "checksum/FileDigestList.h"
#include "tests/checksum/DigestTestData.h"
#include "tests/platform/TestFiles.h"

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <malloc.h>
#include <random>
#include <sched.h>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sumwarden {
namespace {

using testing::MemoryDigestHex;
using testing::RandomBytes;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using Lines = std::vector<std::string>;

constexpr std::size_t kJobCounts[] = {1, 2, 3, 8};
// No reading ahead (each worker opens its files), one file ahead (the read-ahead and the
// workers both open), and the default.
constexpr std::size_t kReadAheadDepths[] = {0, 1, ReadAheadQueue::kDefaultDepth};

// Drops the files from the page cache, so the first read of a job waits for the disk and
// the read-ahead starts.
void EvictFromCache(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        const FileDescriptor descriptor(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (descriptor.IsOpen()) {
            ::fdatasync(descriptor.Get());
            ::posix_fadvise(descriptor.Get(), 0, 0, POSIX_FADV_DONTNEED);
        }
    }
}

std::vector<std::pair<std::size_t, std::size_t>> JobsAndDepths() {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (const std::size_t jobs : kJobCounts) {
        for (const std::size_t depth : kReadAheadDepths) {
            pairs.emplace_back(jobs, depth);
        }
    }
    return pairs;
}

// A tree with files of lengths around block, padding and read-chunk boundaries, a few
// larger than any worker's read chunk or than what the read-ahead asks for (two of them
// large enough to be read two at a time on a spinning disk), odd names, and things that
// cannot be hashed.
struct OddTree {
    ScratchFolder folder;
    std::vector<std::string> files;   // every path, in the order a walk meets them
    std::vector<std::string> digests; // expected text per path ("" when not hashable)

    OddTree() {
        std::mt19937 random(1321);
        const std::size_t lengths[] = {0,     1,      55,     56,     63,      64,     65,
                                       119,   120,    4095,   4096,   4097,    65535,  65536,
                                       65537, 262143, 262144, 262145, 1048577, 3000000};
        int index = 0;
        for (const std::size_t length : lengths) {
            AddFile("sizes/" + std::to_string(100 + index++) + " file",
                    RandomBytes(length, random));
        }
        for (int i = 0; i < 2; ++i) {
            const std::string large(std::size_t{9} << 20, '\0');
            files.push_back(folder.WriteFile("sizes/large " + std::to_string(i)));
            std::filesystem::resize_file(files.back(), large.size());
            digests.push_back(MemoryDigestHex(large));
        }
        for (int i = 0; i < 150; ++i) {
            AddFile("many/f" + std::to_string(1000 + i), RandomBytes(random() % 20000, random));
        }
        AddFile("names/with space", "abc");
        AddFile("names/\xc3\xa9t\xc3\xa9 \xff", "abc");
        AddFile("names/\"quoted\"", "abc");
        AddFile("names/back\\slash", "abc");
        AddFile("names/line\nbreak", "abc");
        folder.MakeFolder("special");
        ::mkfifo((folder / "special/fifo").c_str(), 0644);
        std::filesystem::create_symlink(folder / "nowhere", folder / "special/dangling");
        std::filesystem::create_symlink(folder / "sizes", folder / "special/folder-link");
        std::filesystem::create_symlink(folder / "names/with space", folder / "special/file-link");
        files.push_back(folder / "special/fifo");
        digests.push_back("");
        files.push_back(folder / "special/dangling");
        digests.push_back("");
        files.push_back(folder / "special/file-link");
        digests.push_back(MemoryDigestHex("abc"));
        files.push_back(folder / "missing");
        digests.push_back("");
    }

    void AddFile(const std::string& relative, const std::string& content) {
        files.push_back(folder.WriteFile(relative, content));
        digests.push_back(MemoryDigestHex(content));
    }
};

TEST(DigestPipeline, HandsBackEveryOutcomeInQueueOrderForAnyNumberOfJobsAndReadAhead) {
    const OddTree tree;
    std::optional<FolderHandle> opened = FolderHandle::OpenForLookup("/");
    ASSERT_TRUE(opened);
    const auto root = std::make_shared<const FolderHandle>(std::move(*opened));
    for (const auto& [jobs, depth] : JobsAndDepths()) {
        EvictFromCache(tree.files);
        Lines seen;
        DigestPipeline pipeline(jobs, nullptr, depth);
        for (std::size_t i = 0; i < tree.files.size(); ++i) {
            if (i % 7 == 0) {
                pipeline.Then([&seen, i] { seen.push_back("step " + std::to_string(i)); });
            }
            pipeline.Hash([root, path = tree.files[i]] { return root->LookUp(path); },
                          [&seen](const FileOutcome& outcome) {
                              seen.push_back(
                                  outcome.status == FileStatus::Hashed ? DigestToHex(outcome.digest)
                                  : outcome.status == FileStatus::Missing ? "missing"
                                                                          : "not opened");
                          });
        }
        pipeline.Finish();

        Lines expected;
        for (std::size_t i = 0; i < tree.files.size(); ++i) {
            if (i % 7 == 0) {
                expected.push_back("step " + std::to_string(i));
            }
            expected.push_back(tree.digests[i].empty() ? "not opened" : tree.digests[i]);
        }
        expected.back() = "missing";
        EXPECT_EQ(seen, expected) << jobs << " jobs, " << depth << " ahead";
    }
}

// A file that grows or shrinks between its open and its reads is hashed as it is read.
TEST(DigestPipeline, HashesWhatAFileHoldsWhenReadNotWhenOpened) {
    ScratchFolder folder;
    std::mt19937 random(64);
    for (const std::size_t jobs : kJobCounts) {
        for (const std::size_t length :
             {std::size_t{10}, std::size_t{70000}, std::size_t{300000}}) {
            for (const bool grows : {true, false}) {
                const std::string content = RandomBytes(length, random);
                const std::string file = folder.WriteFile("file", content);
                const std::string now = grows ? content + "more" : content.substr(0, length / 2);
                const FileOpener openThenChange = [&] {
                    EntryLookup found = OpenForDigestAt(AT_FDCWD, file);
                    if (grows) {
                        std::ofstream(file, std::ios::binary | std::ios::app) << "more";
                    } else {
                        std::filesystem::resize_file(file, length / 2);
                    }
                    return found;
                };
                FileOutcome seen;
                DigestPipeline pipeline(jobs);
                pipeline.Hash(openThenChange,
                              [&seen](const FileOutcome& outcome) { seen = outcome; });
                pipeline.Finish();
                EXPECT_EQ(seen.status, FileStatus::Hashed);
                EXPECT_EQ(DigestToHex(seen.digest), MemoryDigestHex(now))
                    << jobs << " jobs, " << length << (grows ? " grown" : " shrunk");
                EXPECT_EQ(seen.bytes, now.size());
            }
        }
    }
}

TEST(DigestPipeline, RunsHandlersWhileFilesAreStillQueued) {
    ScratchFolder folder;
    const std::string file = folder.WriteFile("small", "abc");
    DigestPipeline pipeline(2);
    std::size_t handled = 0;
    std::size_t handledBeforeTheLastWasQueued = 0;
    const std::size_t count = 10000;
    for (std::size_t i = 0; i < count; ++i) {
        handledBeforeTheLastWasQueued = handled;
        pipeline.Hash(OpenByPath(file), [&handled](const FileOutcome&) { ++handled; });
    }
    pipeline.Finish();
    EXPECT_EQ(handled, count);
    // The items in flight are bounded: most handlers ran before the queue was complete.
    EXPECT_GT(handledBeforeTheLastWasQueued, count / 2);
}

TEST(DigestPipeline, PassesAHandlersExceptionToTheCallerAndRunsNothingAfterIt) {
    const OddTree tree;
    for (const std::size_t jobs : kJobCounts) {
        std::size_t handled = 0;
        const auto queueAll = [&] {
            DigestPipeline pipeline(jobs);
            for (const std::string& file : tree.files) {
                pipeline.Hash(OpenByPath(file), [&handled](const FileOutcome&) {
                    if (++handled == 5) {
                        throw std::runtime_error("disk full");
                    }
                });
            }
            pipeline.Finish();
        };
        EXPECT_THROW(queueAll(), std::runtime_error) << jobs << " jobs";
        EXPECT_EQ(handled, 5u) << jobs << " jobs";
    }
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

std::size_t HeapInUse() {
    const struct mallinfo2 heap = ::mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// A job stopped while workers hold files in their lanes and the read-ahead holds more,
// opened ahead of them, closes every one of them and frees every read buffer.
TEST(DigestPipeline, AJobStoppedHalfwayLeavesNoDescriptorOrBufferBehind) {
    // A few files of data first, whose reads wait for the disk once they are dropped from
    // the cache and so start the read-ahead; then many sparse ones, cheap to make.
    ScratchFolder folder;
    std::mt19937 random(20);
    std::vector<std::string> files;
    for (int i = 0; i < 8; ++i) {
        files.push_back(folder.WriteFile(std::to_string(100 + i), RandomBytes(65536, random)));
    }
    for (int i = 0; i < 300; ++i) {
        files.push_back(folder.WriteFile(std::to_string(1000 + i)));
        std::filesystem::resize_file(files.back(), std::uint64_t{4} << 20);
    }
    for (const std::size_t jobs : {std::size_t{2}, std::size_t{3}}) {
        EvictFromCache(files);
        const std::size_t descriptorsBefore = OpenDescriptors();
        const std::size_t heapBefore = HeapInUse();
        JobControl control;
        std::atomic<bool> ended = false;
        std::size_t descriptorsWhenStopped = 0;
        // Stops once the reading has begun and many files are open.
        std::thread stopper([&] {
            while (!ended &&
                   (control.Now().bytesRead == 0 ||
                    (descriptorsWhenStopped = OpenDescriptors()) <= descriptorsBefore + 10)) {
                std::this_thread::yield();
            }
            control.RequestStop();
        });
        std::size_t handled = 0;
        EXPECT_THROW(
            {
                DigestPipeline pipeline(jobs, &control);
                for (const std::string& file : files) {
                    pipeline.Hash(OpenByPath(file), [&handled](const FileOutcome&) { ++handled; });
                }
                pipeline.Finish();
            },
            JobStopped);
        ended = true;
        stopper.join();
        EXPECT_LT(handled, files.size());
        EXPECT_GT(descriptorsWhenStopped, descriptorsBefore + 10) << jobs << " jobs";
        EXPECT_EQ(OpenDescriptors(), descriptorsBefore) << jobs << " jobs";
        EXPECT_LT(HeapInUse(), heapBefore + (std::size_t{256} << 10)) << jobs << " jobs";
    }
}

TEST(DigestPipeline, DefaultsToTheProcessorsOfTheAffinityMask) {
    EXPECT_GE(DefaultJobCount(), 1u);
    const int result = testing::RunInChild([] {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(0, &one);
        if (::sched_setaffinity(0, sizeof one, &one) != 0) {
            return 2;
        }
        return DefaultJobCount() == 1 ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
}

// Runs make and verify with one job and with several and compares every line and byte;
// as the unprivileged user, so files without read permission are among the outcomes.
TEST(DigestPipeline, MakeAndVerifyWriteTheSameLinesAndCheckFileForAnyNumberOfJobs) {
    const OddTree tree;
    tree.folder.WriteFile("locked/secret", "abc");
    ASSERT_EQ(::chmod((tree.folder / "locked/secret").c_str(), 0), 0);
    const std::string checkFile = tree.folder / "CheckSum.md5";

    const int made = testing::RunUnprivileged([&] {
        Lines sequentialLines;
        std::string sequentialEntries;
        for (const std::size_t jobs : kJobCounts) {
            Lines lines;
            const MakeResult result = MakeCheckFile(
                tree.folder.Path(), true, [&](const std::string& line) { lines.push_back(line); },
                jobs);
            const std::string text = ReadWholeFile(checkFile);
            const std::string entries = text.substr(text.find("\r\n\r\n"));
            if (jobs == 1) {
                sequentialLines = lines;
                sequentialEntries = entries;
                if (result.filesNotOpened != 3 || result.namesNotSupported != 2) {
                    return 100;
                }
            } else if (lines != sequentialLines || entries != sequentialEntries) {
                return static_cast<int>(jobs);
            }
        }
        return 0;
    });
    EXPECT_EQ(made, 0);

    tree.folder.WriteFile("many/f1003", "changed");
    std::filesystem::remove(tree.folder / "many/f1004");
    ASSERT_EQ(::chmod((tree.folder / "many/f1005").c_str(), 0), 0);
    const int verified = testing::RunUnprivileged([&] {
        Lines sequentialLines;
        for (const std::size_t jobs : kJobCounts) {
            Lines lines;
            const VerifyResult result = VerifyCheckFile(
                checkFile, [&](const std::string& line) { lines.push_back(line); }, jobs);
            if (result.changedFiles.Entries() != Lines{tree.folder / "many/f1003"} ||
                result.missingFiles.Entries() != Lines{tree.folder / "many/f1004"} ||
                result.unopenableFiles.Entries() != Lines{tree.folder / "many/f1005"}) {
                return 100 + static_cast<int>(jobs);
            }
            if (jobs == 1) {
                sequentialLines = lines;
            } else if (lines != sequentialLines) {
                return static_cast<int>(jobs);
            }
        }
        return 0;
    });
    EXPECT_EQ(verified, 0);
}

TEST(ListFileDigests, GivesTheSameRowsForAnyNumberOfJobs) {
    const OddTree tree;
    for (const std::size_t jobs : kJobCounts) {
        const std::vector<FileDigestRow> rows = testing::ListFileDigests(tree.files, jobs);
        ASSERT_EQ(rows.size(), tree.files.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].path, tree.files[i]);
            EXPECT_EQ(rows[i].text,
                      tree.digests[i].empty() ? "Could not open file" : tree.digests[i])
                << jobs << " jobs, " << tree.files[i];
            EXPECT_EQ(rows[i].opened, !tree.digests[i].empty());
        }
    }
}

} // namespace
} // namespace sumwarden
