#include "checksum/CheckFileMaker.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/FolderWalk.h"
#include "platform/IoError.h"
#include "platform/LocalTime.h"
#include "platform/ReplacingFile.h"

namespace sumwarden {
namespace {

// Writes an entry and reports a line for each file of the walk, a line for each folder.
class CheckFileWriter final : public FolderVisitor {
public:
    CheckFileWriter(ReplacingFile& checkFile, std::size_t baseFolderLength,
                    const JobObserver& report, MakeResult& result)
        : checkFile_(checkFile), baseFolderLength_(baseFolderLength), report_(report),
          result_(result) {}

    bool ShouldEnter(const std::string& parentPath, const std::string& name) override {
        if (name.starts_with('.')) {
            return false;
        }
        if (!NameFitsCheckFile(name)) {
            ++result_.namesNotSupported;
            report_.Report(FolderLine(parentPath + "/" + name) + " " +
                               std::string(kNameNotSupported),
                           LineKind::Failure);
            return false;
        }
        return true;
    }

    void FolderEntered(const std::string& path) override {
        report_.Report(FolderLine(path), LineKind::Progress);
    }

    void FolderNotOpened(const std::string& path, int) override {
        ++result_.foldersNotOpened;
        report_.Report(FolderLine(path) + " " + std::string(kCouldNotOpenFolder),
                       LineKind::Failure);
    }

    void FileAt(const FolderHandle& folder, const std::string& folderPath,
                const std::string& name) override {
        // Neither a check file nor the new one of a make still under way is ever listed.
        if (name == kCheckFileName || ReplacingFile::IsTemporaryName(name, kCheckFileName)) {
            return;
        }
        std::string_view status = "OK";
        const std::string fullPath = folderPath + "/" + name;
        const std::string_view relativePath = std::string_view(fullPath).substr(baseFolderLength_);
        if (!NameFitsCheckFile(name) || !PathFitsCheckFile(relativePath)) {
            status = kNameNotSupported;
            ++result_.namesNotSupported;
        } else if (const std::optional<TDigest> digest = DigestOf(folder.OpenFileForDigest(name))) {
            checkFile_.Write(CheckFileEntryLine(DigestToHex(*digest), relativePath));
            ++result_.filesListed;
        } else {
            status = kCouldNotOpenFile;
            ++result_.filesNotOpened;
        }
        report_.Report("Processing file " + Quoted(name) + " ... " + std::string(status),
                       status == "OK" ? LineKind::Progress : LineKind::Failure);
    }

private:
    static std::string FolderLine(const std::string& path) {
        return "Processing folder " + Quoted(path) + " ...";
    }

    std::optional<TDigest> DigestOf(const std::optional<FileDescriptor>& file) const {
        if (!file) {
            return std::nullopt;
        }
        AdviseSequential(file->Get());
        std::optional<TDigest> digest = TryDescriptorDigest(file->Get());
        if (digest) {
            report_.Hashed(ReadPosition(file->Get()));
        }
        return digest;
    }

    ReplacingFile& checkFile_;
    const std::size_t baseFolderLength_;
    const JobObserver& report_;
    MakeResult& result_;
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
                         const LineSink& report) {
    return MakeCheckFile(folderText, includeSubFolders, LinesOnly(report));
}

MakeResult MakeCheckFile(const std::string& folderText, bool includeSubFolders,
                         const JobObserver& report) {
    const std::string folder = folderText.ends_with('/') ? folderText : folderText + "/";
    MakeResult result;
    result.checkFilePath = CheckFilePathIn(folder);

    // A folder that cannot be listed would get a check file listing nothing in place of the
    // one it has: the make fails as a whole instead.
    if (!FolderHandle::Open(folder)) {
        ThrowLastIoError();
    }
    ReplacingFile checkFile(folder, std::string(kCheckFileName));
    checkFile.Write(CheckFileHeader(LocalTimeText()));
    CheckFileWriter writer(checkFile, folder.size(), report, result);
    WalkFolder(folder, includeSubFolders, writer);
    checkFile.Commit();

    report.Report("", LineKind::Closing);
    report.Report("Operation completed.", LineKind::Closing);
    report.Report("The MD5 checksum file is save at " + Quoted(result.checkFilePath),
                  LineKind::Closing);
    return result;
}

} // namespace sumwarden
