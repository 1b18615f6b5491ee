#include "checksum/CheckFileVerifier.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileReader.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/FolderHandle.h"
#include "platform/IoError.h"

#include <memory>
#include <stop_token>
#include <thread>

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
        std::string line;
        while (reader.NextLine(line)) {
            if (const std::optional<CheckFileEntry> entry = ParseCheckFileLine(line)) {
                ++entries;
                if (control.TotalBytesWanted() && !control.StopRequested() &&
                    !needed.stop_requested()) {
                    bytes += RegularFileSizeAt(
                        base.Get(), std::string(EntryPathBeneathFolder(entry->relativePath)));
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

std::string VerifySummaryLine(const VerifyCounts& counts) {
    const std::size_t total =
        counts.unchanged + counts.changed + counts.missing + counts.unopenable;
    std::string line = Counted(total, total <= 1, " file was verified. ", " files were verified. ");
    if (counts.missing > 0) {
        line += Counted(counts.missing, counts.missing == 1, " file did not exist. ",
                        " files did not exist. ");
    }
    if (counts.unopenable > 0) {
        line += Counted(counts.unopenable, counts.unopenable == 1, " file could be opened. ",
                        " files could be opened. ");
    }
    line += Counted(counts.changed, counts.changed <= 1, " file changed. ", " files changed. ");
    return line;
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const LineSink& report,
                             std::size_t jobs) {
    return VerifyCheckFile(checkFilePath, LinesOnly(report), jobs);
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const JobObserver& report,
                             std::size_t jobs) {
    const std::string folder = CheckFileFolder(checkFilePath);
    VerifyResult result;
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
    try {
        DigestPipeline pipeline(jobs, report.control);
        std::string line;
        while (reader.NextLine(line)) {
            std::optional<CheckFileEntry> entry = ParseCheckFileLine(line);
            if (!entry) {
                result.commentLines += line.starts_with(';') ? 1 : 0;
                continue;
            }
            pipeline.Hash(
                [base, beneath = std::string(EntryPathBeneathFolder(entry->relativePath))] {
                    return base->LookUp(beneath);
                },
                [&result, &report, path = ResolveEntryPath(folder, entry->relativePath),
                 expected = std::move(entry->expectedDigest)](const FileOutcome& outcome) {
                    const std::string quoted = Quoted(path);
                    if (outcome.status == FileStatus::Missing) {
                        report.Report("File does not exist ... " + quoted, LineKind::Failure);
                        ++result.counts.missing;
                        result.missingFiles.Add(path);
                    } else if (outcome.status == FileStatus::NotOpened) {
                        report.Report("Could not open file ... " + quoted, LineKind::Failure);
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
        pipeline.Finish();
    } catch (const JobStopped&) {
        counter.join();
        result.stopped = true;
        report.Report("", LineKind::Closing);
        report.Report("Stopped after " + std::to_string(result.Entries()) + " of " +
                          std::to_string(entriesListed) + " entries.",
                      LineKind::Closing);
    }
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
    return result;
}

} // namespace sumwarden
