#include "checksum/CheckFileVerifier.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileKinds.h"
#include "checksum/CheckFileReader.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "checksum/NewFileFinder.h"
#include "platform/Files.h"
#include "platform/FolderHandle.h"
#include "platform/IoError.h"

#include <deque>
#include <memory>
#include <stop_token>
#include <thread>
#include <unordered_map>

namespace sumwarden {
namespace {

std::string Counted(std::size_t count, bool singular, std::string_view one, std::string_view many) {
    return std::to_string(count) + std::string(singular ? one : many);
}

void ReportList(const JobObserver& report, std::string_view heading, const PathList& paths) {
    if (paths.Empty()) {
        return;
    }
    report.Report("", LineKind::Closing);
    report.Report(std::string(heading), LineKind::Closing);
    paths.ForEach([&report](const std::string& path) { report.Report(path, LineKind::Closing); });
}

// What a search for new files keeps until the lost entries and the new files are paired.
struct NewFileSearch {
    struct Lost {
        std::string digest; // lower case
        std::string path;
        bool moved = false;
    };
    struct Found {
        std::string path;
        std::optional<std::string> digest; // nothing when it could not be read
    };
    std::vector<Lost> lost;
    std::vector<Found> found;

    // Each new file, in walk order, takes the first lost entry not yet taken whose digest it
    // has: that entry was moved there. The rest stay new and lost.
    void Pair(VerifyResult& result) {
        std::unordered_map<std::string, std::deque<std::size_t>> lostByDigest;
        for (std::size_t index = 0; index < lost.size(); ++index) {
            lostByDigest[lost[index].digest].push_back(index);
        }
        for (const Found& file : found) {
            const auto match = file.digest ? lostByDigest.find(*file.digest) : lostByDigest.end();
            if (match == lostByDigest.end() || match->second.empty()) {
                ++result.counts.added;
                result.newFiles.Add(file.path);
                continue;
            }
            Lost& entry = lost[match->second.front()];
            match->second.pop_front();
            entry.moved = true;
            ++result.counts.moved;
            result.movedFiles.Add(Quoted(entry.path) + " -> " + Quoted(file.path));
        }
        result.counts.missing -= result.counts.moved;
        for (const Lost& entry : lost) {
            if (!entry.moved) {
                result.missingFiles.Add(entry.path);
            }
        }
    }
};

// Tells the control how many entries the check file lists and, when wanted, how many bytes
// their files hold. Sizes are no longer looked up once the job is stopped or the count is no
// longer needed; a check file that cannot be read is left for the verifying to report, in
// its place.
std::uint64_t CountEntries(const std::string& checkFilePath, const FolderHandle& base,
                           JobControl& control, const std::stop_token& needed) {
    std::uint64_t entries = 0;
    std::uint64_t bytes = 0;
    try {
        CheckFileReader reader = CheckFileReader::ForFile(checkFilePath);
        EntryRecognizer recognizer;
        std::string line;
        while (reader.NextLine(line)) {
            if (const std::optional<CheckFileEntry> entry = recognizer.Entry(line)) {
                ++entries;
                if (control.TotalBytesWanted() && !control.StopRequested() &&
                    !needed.stop_requested()) {
                    bytes += RegularFileSizeAt(
                        base.Get(), EntryLookupPath(*recognizer.Kind(), entry->relativePath));
                }
            }
        }
    } catch (const IoError&) {
        return JobControl::kUnknown;
    }
    control.SetTotals(entries, control.TotalBytesWanted() ? bytes : JobControl::kUnknown);
    return entries;
}

} // namespace

std::optional<std::string_view> RefuseCheckFile(const std::string& checkFileText) {
    if (FieldIsBlank(checkFileText)) {
        return "Please select a check file firstly.";
    }
    if (!FileExists(checkFileText)) {
        return "The check file does not exists.";
    }
    // A device or FIFO could feed lines forever or never; only files are check files.
    if (!RegularFileExists(checkFileText)) {
        return "The check file is not a regular file.";
    }
    return std::nullopt;
}

std::optional<std::string_view> RefuseCheckFileContent(const std::string& checkFilePath) {
    CheckFileReader reader = CheckFileReader::ForFile(checkFilePath);
    EntryRecognizer recognizer;
    std::string line;
    while (reader.NextLine(line)) {
        // The check file of an empty folder holds only its comment lines.
        if (line.starts_with(';') || recognizer.Entry(line)) {
            return std::nullopt;
        }
    }
    return kNoCheckFileEntries;
}

std::string VerifySummaryLine(const VerifyCounts& counts) {
    const std::size_t total =
        counts.unchanged + counts.changed + counts.missing + counts.unopenable + counts.moved;
    std::string line = Counted(total, total <= 1, " file was verified. ", " files were verified. ");
    if (counts.missing > 0) {
        line += Counted(counts.missing, counts.missing == 1, " file did not exist. ",
                        " files did not exist. ");
    }
    if (counts.unopenable > 0) {
        line += Counted(counts.unopenable, counts.unopenable == 1, " file could not be opened. ",
                        " files could not be opened. ");
    }
    line += Counted(counts.changed, counts.changed <= 1, " file changed. ", " files changed. ");
    if (counts.newFilesSought) {
        line += Counted(counts.added, counts.added <= 1, " file new. ", " files new. ");
        line += Counted(counts.moved, counts.moved <= 1, " file moved. ", " files moved. ");
    }
    return line;
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const LineSink& report,
                             std::size_t jobs) {
    return VerifyCheckFile(checkFilePath, LinesOnly(report), jobs);
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const JobObserver& report,
                             std::size_t jobs) {
    return VerifyCheckFile(checkFilePath, VerifyOptions{{}, false, jobs}, report);
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const VerifyOptions& options,
                             const JobObserver& report) {
    std::string folder = CheckFileFolder(checkFilePath);
    if (!options.baseFolder.empty()) {
        folder = options.baseFolder.ends_with('/') ? options.baseFolder : options.baseFolder + "/";
    }
    VerifyResult result;
    result.counts.newFilesSought = options.reportNewFiles;
    CheckFileReader reader = CheckFileReader::ForFile(checkFilePath);
    // Entries are looked up beneath the folder one name at a time, so their length is not
    // limited by the system's path length, whatever form the check file's path takes.
    std::optional<FolderHandle> opened = FolderHandle::OpenForLookup(folder);
    if (!opened) {
        ThrowLastIoError();
    }
    // Shared with the workers, which look the entries up.
    const auto base = std::make_shared<const FolderHandle>(std::move(*opened));
    // Counted beside the verifying, which waits for the count only to tell how far a stopped
    // run got.
    std::uint64_t entriesListed = 0;
    std::jthread counter;
    if (report.control != nullptr) {
        counter = std::jthread([&](const std::stop_token& needed) {
            entriesListed = CountEntries(checkFilePath, *base, *report.control, needed);
        });
    }
    std::optional<NewFileFinder> finder;
    NewFileSearch search;
    if (options.reportNewFiles) {
        finder.emplace(folder, checkFilePath);
    }
    try {
        DigestPipeline pipeline(options.jobs, report.control);
        EntryRecognizer recognizer;
        std::string line;
        while (reader.NextLine(line)) {
            std::optional<CheckFileEntry> entry = recognizer.Entry(line);
            if (!entry) {
                continue;
            }
            const CheckFileKind kind = *recognizer.Kind();
            if (finder) {
                finder->Listed(kind, entry->relativePath);
            }
            pipeline.Hash(
                [base, kind, lookup = EntryLookupPath(kind, entry->relativePath)] {
                    return kind == CheckFileKind::Sumwarden ? base->LookUp(lookup)
                                                            : base->LookUpAsWritten(lookup);
                },
                [&result, &report, &search, seeking = options.reportNewFiles,
                 path = EntryReportPath(kind, folder, entry->relativePath),
                 expected = std::move(entry->expectedDigest)](const FileOutcome& outcome) {
                    const std::string quoted = Quoted(path);
                    if (outcome.status == FileStatus::Missing) {
                        report.Report("File does not exist ... " + quoted, LineKind::Failure);
                        ++result.counts.missing;
                        if (seeking) {
                            search.lost.push_back({LowerCaseDigestText(expected), path});
                        } else {
                            result.missingFiles.Add(path);
                        }
                    } else if (outcome.status == FileStatus::NotOpened) {
                        report.Report("Could not open file ... " + quoted, LineKind::Failure);
                        report.Problem(path, outcome.error);
                        ++result.counts.unopenable;
                        result.unopenableFiles.Add(path);
                    } else {
                        report.Hashed(outcome.bytes);
                        if (!DigestTextMatches(expected, DigestToHex(outcome.digest))) {
                            ++result.counts.changed;
                            result.changedFiles.Add(path);
                            report.Report("File changed ... " + quoted, LineKind::Failure);
                        } else {
                            ++result.counts.unchanged;
                            report.Report("OK ... " + quoted, LineKind::Progress);
                        }
                    }
                });
        }
        if (finder) {
            finder->Find(
                pipeline,
                [&search, &report](const std::string& path, const FileOutcome& outcome) {
                    if (outcome.status == FileStatus::Hashed) {
                        report.Hashed(outcome.bytes);
                        search.found.push_back({path, DigestToHex(outcome.digest)});
                    } else {
                        report.Problem(path, outcome.error);
                        search.found.push_back({path, std::nullopt});
                    }
                },
                [&result, &report](const std::string& path, int errorNumber) {
                    report.Report("Processing folder " + Quoted(path) + " ... " +
                                      std::string(kCouldNotOpenFolder),
                                  LineKind::Failure);
                    report.Problem(path, errorNumber);
                    ++result.foldersNotOpened;
                });
        }
        pipeline.Finish();
    } catch (const JobStopped&) {
        counter.join();
        result.stopped = true;
        // The search for new files did not end: what it found so far tells nothing.
        search.found.clear();
        report.Report("", LineKind::Closing);
        report.Report("Stopped after " + std::to_string(result.Entries()) + " of " +
                          std::to_string(entriesListed) + " entries.",
                      LineKind::Closing);
    }
    search.Pair(result);
    if (!result.stopped) {
        report.Report("", LineKind::Closing);
        report.Report("Operation completes.", LineKind::Closing);
    }
    report.Report(VerifySummaryLine(result.counts), LineKind::Closing);
    ReportList(report, "The following files have been changed since the check file is made:",
               result.changedFiles);
    ReportList(report, "The following files are lost:", result.missingFiles);
    ReportList(report,
               "The following files could not be opened during the MD5 checksum calculation:",
               result.unopenableFiles);
    ReportList(report,
               "The following files are new since the check file is made:", result.newFiles);
    ReportList(report,
               "The following files have been moved or renamed since the check file is made:",
               result.movedFiles);
    return result;
}

} // namespace sumwarden
