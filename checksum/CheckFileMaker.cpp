#include "checksum/CheckFileMaker.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/DigestPipeline.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/FolderWalk.h"
#include "platform/IoError.h"
#include "platform/LocalTime.h"
#include "platform/ReplacingFile.h"

#include <climits>
#include <memory>

namespace sumwarden {
namespace {

// Writes an entry and reports a line for each file of the walk, a line for each folder.
class CheckFileWriter final : public FolderVisitor {
public:
    CheckFileWriter(ReplacingFile& checkFile, std::shared_ptr<const FolderHandle> baseFolder,
                    std::size_t baseFolderLength, const JobObserver& report, MakeResult& result,
                    DigestPipeline& pipeline)
        : checkFile_(checkFile), baseFolder_(std::move(baseFolder)),
          baseFolderLength_(baseFolderLength), report_(report), result_(result),
          pipeline_(pipeline) {}

    bool ShouldEnter(const std::string& parentPath, const std::string& name) override {
        if (name.starts_with('.')) {
            return false;
        }
        if (!NameFitsCheckFile(name)) {
            ReportInOrder(FolderLine(parentPath + "/" + name) + " " +
                              std::string(kNameNotSupported),
                          LineKind::Failure, &MakeResult::namesNotSupported);
            return false;
        }
        return true;
    }

    void FolderEntered(const std::string& path) override {
        ReportInOrder(FolderLine(path), LineKind::Progress, nullptr);
    }

    void FolderNotOpened(const std::string& path, int) override {
        ReportInOrder(FolderLine(path) + " " + std::string(kCouldNotOpenFolder), LineKind::Failure,
                      &MakeResult::foldersNotOpened);
    }

    void FileAt(const FolderHandle& folder, const std::string& folderPath,
                const std::string& name) override {
        // Neither a check file nor the new one of a make still under way is ever listed.
        if (name == kCheckFileName || ReplacingFile::IsTemporaryName(name, kCheckFileName)) {
            return;
        }
        const std::string fullPath = folderPath + "/" + name;
        std::string relativePath = fullPath.substr(baseFolderLength_);
        std::string line = "Processing file " + Quoted(name) + " ... ";
        if (!NameFitsCheckFile(name) || !PathFitsCheckFile(relativePath)) {
            ReportInOrder(line + std::string(kNameNotSupported), LineKind::Failure,
                          &MakeResult::namesNotSupported);
            return;
        }
        // Opened relative to the chosen folder, on whichever thread hashes it: a short path
        // for the system to follow, whatever the length of the folder's own path.
        FileOpener open;
        if (relativePath.size() < PATH_MAX) {
            open = [baseFolder = baseFolder_, relativePath] {
                return OpenForDigestAt(baseFolder->Get(), relativePath);
            };
        }
        auto listFile = [this, line = std::move(line),
                         relativePath = std::move(relativePath)](const FileOutcome& outcome) {
            if (outcome.status == FileStatus::Hashed) {
                report_.Hashed(outcome.bytes);
                checkFile_.Write(CheckFileEntryLine(DigestToHex(outcome.digest), relativePath));
                ++result_.filesListed;
                report_.Report(line + "OK", LineKind::Progress);
            } else {
                ++result_.filesNotOpened;
                report_.Report(line + std::string(kCouldNotOpenFile), LineKind::Failure);
            }
        };
        ++filesQueued_;
        if (report_.control != nullptr && report_.control->TotalBytesWanted()) {
            // For the progress only: the file is sized as it is when the walk meets it.
            bytesQueued_ += RegularFileSizeAt(folder.Get(), name);
        }
        if (open) {
            pipeline_.Hash(std::move(open), std::move(listFile));
            return;
        }
        // Too long to open by name on another thread once the walk has left its folder:
        // hashed here, through the folder, and reported in its place.
        pipeline_.Then(
            [listFile = std::move(listFile),
             outcome = HashOpened({true, folder.OpenFileForDigest(name)})] { listFile(outcome); });
    }

    std::size_t FilesQueued() const { return filesQueued_; }
    std::uint64_t BytesQueued() const { return bytesQueued_; }

private:
    static std::string FolderLine(const std::string& path) {
        return "Processing folder " + Quoted(path) + " ...";
    }

    // The line goes out in its place among the files still being hashed.
    void ReportInOrder(std::string line, LineKind kind, std::size_t MakeResult::*counter) {
        pipeline_.Then([this, line = std::move(line), kind, counter] {
            if (counter != nullptr) {
                ++(result_.*counter);
            }
            report_.Report(line, kind);
        });
    }

    ReplacingFile& checkFile_;
    const std::shared_ptr<const FolderHandle> baseFolder_;
    const std::size_t baseFolderLength_;
    const JobObserver& report_;
    MakeResult& result_;
    DigestPipeline& pipeline_;
    std::size_t filesQueued_ = 0;
    std::uint64_t bytesQueued_ = 0;
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
    return MakeCheckFile(folderText, includeSubFolders, LinesOnly(report), jobs);
}

MakeResult MakeCheckFile(const std::string& folderText, bool includeSubFolders,
                         const JobObserver& report, std::size_t jobs) {
    const std::string folder = folderText.ends_with('/') ? folderText : folderText + "/";
    MakeResult result;
    result.checkFilePath = CheckFilePathIn(folder);

    // A folder that cannot be listed would get a check file listing nothing in place of the
    // one it has: the make fails as a whole instead.
    std::optional<FolderHandle> baseFolder = FolderHandle::Open(folder);
    if (!baseFolder) {
        ThrowLastIoError();
    }
    ReplacingFile checkFile(folder, std::string(kCheckFileName));
    checkFile.Write(CheckFileHeader(LocalTimeText()));
    try {
        DigestPipeline pipeline(jobs, report.control);
        CheckFileWriter writer(checkFile,
                               std::make_shared<const FolderHandle>(std::move(*baseFolder)),
                               folder.size(), report, result, pipeline);
        WalkFolder(folder, includeSubFolders, writer);
        if (report.control != nullptr) {
            report.control->SetTotals(writer.FilesQueued(), report.control->TotalBytesWanted()
                                                                ? writer.BytesQueued()
                                                                : JobControl::kUnknown);
        }
        pipeline.Finish();
    } catch (const JobStopped&) {
        // The new check file is dropped with its temporary file; the old one stays.
        result.stopped = true;
        report.Report("", LineKind::Closing);
        report.Report("Stopped: the check file was not written.", LineKind::Closing);
        return result;
    }
    checkFile.Commit();

    report.Report("", LineKind::Closing);
    report.Report("Operation completed.", LineKind::Closing);
    report.Report("The MD5 checksum file is save at " + Quoted(result.checkFilePath),
                  LineKind::Closing);
    return result;
}

} // namespace sumwarden
