#include "checksum/CheckFileMaker.h"

#include "checksum/CheckFileFormat.h"
#include "checksum/FileDigest.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "platform/ReplacingFile.h"

namespace sumwarden {
namespace {

class FolderWalk {
public:
    FolderWalk(ReplacingFile& checkFile, std::size_t baseFolderLength, bool recurse,
               const LineSink& report, MakeResult& result)
        : checkFile_(checkFile), baseFolderLength_(baseFolderLength), recurse_(recurse),
          report_(report), result_(result) {}

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
            ++result_.namesNotSupported;
            report_(line + " " + std::string(kNameNotSupported));
            return;
        }
        report_(line);
        ScanFolder(subFolder, false);
    }

    void HandleFile(const std::string& folder, const std::string& name) {
        if (name == kCheckFileName) {
            return;
        }
        std::string_view status = "OK";
        const std::string fullPath = folder + "/" + name;
        if (!NameFitsCheckFile(name)) {
            status = kNameNotSupported;
            ++result_.namesNotSupported;
        } else if (std::optional<TDigest> digest =
                       OpenProbe(fullPath) ? TryFileDigest(fullPath) : std::nullopt) {
            checkFile_.Write(CheckFileEntryLine(
                DigestToHex(*digest), std::string_view(fullPath).substr(baseFolderLength_)));
            ++result_.filesListed;
        } else {
            status = kCouldNotOpenFile;
            ++result_.filesNotOpened;
        }
        report_("Processing file " + Quoted(name) + " ... " + std::string(status));
    }

    ReplacingFile& checkFile_;
    const std::size_t baseFolderLength_;
    const bool recurse_;
    const LineSink& report_;
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
    const std::string folder = folderText.ends_with('/') ? folderText : folderText + "/";
    MakeResult result;
    result.checkFilePath = CheckFilePathIn(folder);

    ReplacingFile checkFile(folder, std::string(kCheckFileName));
    checkFile.Write(CheckFileHeader(LocalTimeText()));
    FolderWalk(checkFile, folder.size(), includeSubFolders, report, result)
        .ScanFolder(folder, true);
    checkFile.Commit();

    report("");
    report("Operation completed.");
    report("The MD5 checksum file is save at " + Quoted(result.checkFilePath));
    return result;
}

} // namespace sumwarden
