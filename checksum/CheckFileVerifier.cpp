#include "checksum/CheckFileVerifier.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/CheckFileReader.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"

namespace sumwarden {
namespace {

std::string Counted(std::size_t count, bool singular, std::string_view one, std::string_view many) {
    return std::to_string(count) + std::string(singular ? one : many);
}

void ReportList(const LineSink& report, std::string_view heading, const PathList& paths) {
    if (paths.Empty()) {
        return;
    }
    report("");
    report(std::string(heading));
    paths.ForEach(report);
}

} // namespace

std::optional<std::string_view> RefuseCheckFile(const std::string& checkFileText) {
    if (FieldIsBlank(checkFileText)) {
        return "Please select a check file firstly.";
    }
    if (!FileExists(checkFileText)) {
        return "The check file does not exists.";
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
    const std::string folder = CheckFileFolder(checkFilePath);
    VerifyResult result;
    CheckFileReader reader = CheckFileReader::ForFile(checkFilePath);
    DigestPipeline pipeline(jobs);
    std::string line;
    while (reader.NextLine(line)) {
        std::optional<CheckFileEntry> entry = ParseCheckFileLine(line);
        if (!entry) {
            continue;
        }
        std::string path = ResolveEntryPath(folder, entry->relativePath);
        pipeline.Hash(path, MissingCheck::Yes,
                      [&result, &report, path,
                       expected = std::move(entry->expectedDigest)](const FileOutcome& outcome) {
                          const std::string quoted = Quoted(path);
                          if (outcome.status == FileStatus::Missing) {
                              report("File does not exist ... " + quoted);
                              ++result.counts.missing;
                              result.missingFiles.Add(path);
                          } else if (outcome.status == FileStatus::NotOpened) {
                              report("Could not open file ... " + quoted);
                              ++result.counts.unopenable;
                              result.unopenableFiles.Add(path);
                          } else if (DigestToHex(outcome.digest) != expected) {
                              ++result.counts.changed;
                              result.changedFiles.Add(path);
                              report("File changed ... " + quoted);
                          } else {
                              ++result.counts.unchanged;
                              report("OK ... " + quoted);
                          }
                      });
    }
    pipeline.Finish();

    report("");
    report("Operation completes.");
    report(VerifySummaryLine(result.counts));
    ReportList(report, "The following files have been changed since the check file is made:",
               result.changedFiles);
    ReportList(report, "The following files are lost:", result.missingFiles);
    ReportList(report,
               "The following files could not be opened during the MD5 checksum calculation:",
               result.unopenableFiles);
    return result;
}

} // namespace sumwarden
