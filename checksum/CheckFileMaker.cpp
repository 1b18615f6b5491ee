#include "checksum/CheckFileMaker.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "platform/ReplacingFile.h"

namespace sumwarden {
namespace {

class FolderWalk {
public:
    FolderWalk(ReplacingFile& checkFile, std::size_t baseFolderLength, bool recurse,
               const LineSink& report, MakeResult& result, DigestPipeline& pipeline)
        : checkFile_(checkFile), baseFolderLength_(baseFolderLength), recurse_(recurse),
          report_(report), result_(result), pipeline_(pipeline) {}

    void ScanFolder(std::string folder, bool topFolder) {
        if (folder.ends_with('/')) {
            folder.pop_back();
        }
        const std::optional<std::vector<FolderEntry>> entries = ListFolder(folder + "/");
        if (!entries) {
            return;
        }
        for (const FolderEntry& entry : *entries) {
            if (entry.kind == EntryKind::Folder) {
                ScanSubFolder(folder, entry.name);
            } else if (entry.kind == EntryKind::File &&
                       !(topFolder && entry.name == checkFile_.TemporaryName())) {
                HandleFile(folder, entry.name);
            }
        }
    }

private:
    void ScanSubFolder(const std::string& folder, const std::string& name) {
        if (name.starts_with('.') || !recurse_) {
            return;
        }
        const std::string subFolder = folder + "/" + name;
        std::string line = "Processing folder " + Quoted(subFolder) + " ...";
        if (!NameFitsCheckFile(name)) {
            ReportInOrder(line + " " + std::string(kNameNotSupported),
                          &MakeResult::namesNotSupported);
            return;
        }
        ReportInOrder(std::move(line), nullptr);
        ScanFolder(subFolder, false);
    }

    void HandleFile(const std::string& folder, const std::string& name) {
        if (name == kCheckFileName) {
            return;
        }
        std::string line = "Processing file " + Quoted(name) + " ... ";
        if (!NameFitsCheckFile(name)) {
            ReportInOrder(line + std::string(kNameNotSupported), &MakeResult::namesNotSupported);
            return;
        }
        std::string fullPath = folder + "/" + name;
        std::string relative = fullPath.substr(baseFolderLength_);
        pipeline_.Hash(std::move(fullPath), MissingCheck::No,
                       [this, line = std::move(line),
                        relative = std::move(relative)](const FileOutcome& outcome) {
                           if (outcome.status == FileStatus::Hashed) {
                               checkFile_.Write(
                                   CheckFileEntryLine(DigestToHex(outcome.digest), relative));
                               ++result_.filesListed;
                               report_(line + "OK");
                           } else {
                               ++result_.filesNotOpened;
                               report_(line + std::string(kCouldNotOpenFile));
                           }
                       });
    }

    // The line goes out in its place among the files still being hashed.
    void ReportInOrder(std::string line, std::size_t MakeResult::*counter) {
        pipeline_.Then([this, line = std::move(line), counter] {
            if (counter != nullptr) {
                ++(result_.*counter);
            }
            report_(line);
        });
    }

    ReplacingFile& checkFile_;
    const std::size_t baseFolderLength_;
    const bool recurse_;
    const LineSink& report_;
    MakeResult& result_;
    DigestPipeline& pipeline_;
};

} // namespace

std::optional<std::string_view> RefuseMakeFolder(const std::string& folderText) {
    if (FieldIsBlank(folderText)) {
        return "Please select a folder firstly.";
    }
    if (!FolderExists(folderText)) {
        return "The folder does not exists.";
    }
    return std::nullopt;
}

MakeResult MakeCheckFile(const std::string& folderText, bool includeSubFolders,
                         const LineSink& report, std::size_t jobs) {
    const std::string folder = folderText.ends_with('/') ? folderText : folderText + "/";
    MakeResult result;
    result.checkFilePath = CheckFilePathIn(folder);

    ReplacingFile checkFile(folder, std::string(kCheckFileName));
    checkFile.Write(CheckFileHeader(LocalTimeText()));
    DigestPipeline pipeline(jobs);
    FolderWalk(checkFile, folder.size(), includeSubFolders, report, result, pipeline)
        .ScanFolder(folder, true);
    pipeline.Finish();
    checkFile.Commit();

    report("");
    report("Operation completed.");
    report("The MD5 checksum file is save at " + Quoted(result.checkFilePath));
    return result;
}

} // namespace sumwarden
