#include "checksum/NewFileFinder.h"

#include "platform/FolderWalk.h"
#include "platform/IoError.h"
#include "platform/ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <memory>

namespace sumwarden {
namespace {

// Queues on the pipeline each file of the walk that the rules (enter, isNew) take for new,
// and each folder the walk could not open, in walk order.
class NewFileVisitor final : public FolderVisitor {
public:
    NewFileVisitor(const NewFileFinder::NewFileHandler& onNewFile,
                   const NewFileFinder::FolderFailureHandler& onFolderNotOpened,
                   DigestPipeline& pipeline)
        : onNewFile_(onNewFile), onFolderNotOpened_(onFolderNotOpened), pipeline_(pipeline) {}

    std::function<bool(const std::string& name)> enter;
    std::function<bool(const FolderHandle& folder, const std::string& relativePath,
                       const std::string& name)>
        isNew;
    std::string topPath;
    std::string folder;
    std::shared_ptr<const FolderHandle> base;

    bool ShouldEnter(const std::string&, const std::string& name) override { return enter(name); }

    void FolderEntered(const std::string&) override {}

    void FolderNotOpened(const std::string& path, int errorNumber) override {
        pipeline_.Then([this, path = ReportPath(path), errorNumber] {
            onFolderNotOpened_(path, errorNumber);
        });
    }

    void FileAt(const FolderHandle& at, const std::string& folderPath,
                const std::string& name) override {
        const std::string relativePath = folderPath.size() > topPath.size()
                                             ? folderPath.substr(topPath.size() + 1) + "/" + name
                                             : name;
        if (!isNew(at, relativePath, name)) {
            return;
        }
        auto handle = [this, path = folder + relativePath](const FileOutcome& outcome) {
            // Whatever is no regular file, or is gone by now, the maker would not list.
            if (outcome.status == FileStatus::Hashed ||
                (outcome.error != kNotARegularFile && outcome.error != ENOENT)) {
                onNewFile_(path, outcome);
            }
        };
        if (relativePath.size() < PATH_MAX) {
            pipeline_.Hash(
                [base = base, relativePath] { return OpenForDigestAt(base->Get(), relativePath); },
                std::move(handle));
            return;
        }
        // Too long to open by name once the walk has left its folder: opened here.
        pipeline_.Then([handle = std::move(handle), outcome = HashOpened(OpenForDigestAt(
                                                        at.Get(), name))] { handle(outcome); });
    }

private:
    std::string ReportPath(const std::string& walkPath) const {
        return walkPath.size() > topPath.size() ? folder + walkPath.substr(topPath.size() + 1)
                                                : (folder.empty() ? "." : folder);
    }

    const NewFileFinder::NewFileHandler& onNewFile_;
    const NewFileFinder::FolderFailureHandler& onFolderNotOpened_;
    DigestPipeline& pipeline_;
};

} // namespace

NewFileFinder::NewFileFinder(std::string folder, const std::string& listPath)
    : folder_(std::move(folder)), listName_(std::filesystem::path(listPath).filename()),
      list_(IdentityAt(AT_FDCWD, listPath)) {
    std::error_code error;
    absoluteFolder_ = std::filesystem::absolute(folder_.empty() ? "." : folder_, error).string();
    absoluteFolder_ += absoluteFolder_.ends_with('/') ? "" : "/";
}

void NewFileFinder::Listed(CheckFileKind kind, std::string_view entryPath) {
    kind_ = kind;
    if (std::optional<std::string> path = EntryPathInFolder(kind, absoluteFolder_, entryPath)) {
        subFolders_ = subFolders_ || path->find('/') != std::string::npos;
        listed_.insert(std::move(*path));
    }
}

void NewFileFinder::Find(DigestPipeline& pipeline, NewFileHandler onNewFile,
                         FolderFailureHandler onFolderNotOpened) const {
    const std::string walked = folder_.empty() ? "." : folder_;
    const CheckFileKind kind = kind_.value_or(CheckFileKind::Sumwarden);
    NewFileVisitor visitor(onNewFile, onFolderNotOpened, pipeline);
    visitor.folder = folder_;
    // The folder's path as the walk names it: without one trailing "/".
    visitor.topPath = walked.ends_with('/') ? walked.substr(0, walked.size() - 1) : walked;
    std::optional<FolderHandle> base = FolderHandle::Open(walked);
    if (!base) {
        visitor.FolderNotOpened(visitor.topPath, errno);
        pipeline.Finish();
        return;
    }
    visitor.base = std::make_shared<const FolderHandle>(std::move(*base));
    visitor.enter = [kind](const std::string& name) {
        return !name.starts_with('.') && NameFitsList(kind, name);
    };
    visitor.isNew = [this, kind](const FolderHandle& at, const std::string& relativePath,
                                 const std::string& name) {
        if (name == kCheckFileName || ReplacingFile::IsTemporaryName(name, kCheckFileName) ||
            ReplacingFile::IsTemporaryName(name, listName_) || !NameFitsList(kind, name) ||
            listed_.contains(relativePath)) {
            return false;
        }
        return !(name == listName_ && list_ && IdentityAt(at.Get(), name) == list_);
    };
    WalkFolder(walked, subFolders_, visitor);
    // The visitor's handlers run on this thread before it goes.
    pipeline.Finish();
}

} // namespace sumwarden
