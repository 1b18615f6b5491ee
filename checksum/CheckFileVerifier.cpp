#include "checksum/CheckFileVerifier.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileReader.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/FolderHandle.h"
#include "platform/IoError.h"

namespace sumwarden {
namespace {

std::string Counted(std::size_t count, bool singular, std::string_view one, std::string_view many) {
    return std::to_string(count) + std::string(singular ? one : many);
}

void ReportList(const JobObserver& report, std::string_view heading,
                const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    report.Report("", LineKind::Closing);
    report.Report(std::string(heading), LineKind::Closing);
    for (const std::string& path : paths) {
        report.Report(path, LineKind::Closing);
    }
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

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const LineSink& report) {
    return VerifyCheckFile(checkFilePath, LinesOnly(report));
}

VerifyResult VerifyCheckFile(const std::string& checkFilePath, const JobObserver& report) {
    const std::string folder = CheckFileFolder(checkFilePath);
    VerifyResult result;
    CheckFileReader reader = CheckFileReader::ForFile(checkFilePath);
    // Entries are looked up beneath the folder one name at a time, so their length is not
    // limited by the system's path length, whatever form the check file's path takes.
    const std::optional<FolderHandle> base = FolderHandle::OpenForLookup(folder);
    if (!base) {
        ThrowLastIoError();
    }
    std::string line;
    while (reader.NextLine(line)) {
        const std::optional<CheckFileEntry> entry = ParseCheckFileLine(line);
        if (!entry) {
            result.commentLines += line.starts_with(';') ? 1 : 0;
            continue;
        }
        std::string path = ResolveEntryPath(folder, entry->relativePath);
        const std::string quoted = Quoted(path);
        const EntryLookup found = base->LookUp(EntryPathBeneathFolder(entry->relativePath));
        std::optional<TDigest> digest;
        if (!found.exists) {
            report.Report("File does not exist ... " + quoted, LineKind::Failure);
            ++result.counts.missing;
            result.missingFiles.push_back(std::move(path));
        } else if (!found.file || !(digest = TryDescriptorDigest(found.file->Get()))) {
            report.Report("Could not open file ... " + quoted, LineKind::Failure);
            ++result.counts.unopenable;
            result.unopenableFiles.push_back(std::move(path));
        } else {
            report.Hashed(ReadPosition(found.file->Get()));
            if (!DigestTextMatches(entry->expectedDigest, DigestToHex(*digest))) {
                ++result.counts.changed;
                result.changedFiles.push_back(std::move(path));
                report.Report("File changed ... " + quoted, LineKind::Failure);
            } else {
                ++result.counts.unchanged;
                report.Report("OK ... " + quoted, LineKind::Progress);
            }
        }
    }

    report.Report("", LineKind::Closing);
    report.Report("Operation completes.", LineKind::Closing);
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
