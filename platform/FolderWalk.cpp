#include "platform/FolderWalk.h"

#include <cerrno>
#include <vector>

namespace sumwarden {
namespace {

// Folders deeper than this below the current one give their descriptor back while the walk
// is below them and are opened again through ".." on the way up, so a deep tree never runs
// out of descriptors.
constexpr std::size_t kHeldFolders = 32;

struct Frame {
    FolderHandle folder;
    FolderIdentity identity;
    std::string path;
    std::vector<FolderEntry> entries;
    std::size_t next = 0;
};

// Opens and lists a folder; nothing, with errno, when either fails.
std::optional<Frame> EnterFolder(std::optional<FolderHandle> folder, std::string path) {
    if (!folder) {
        return std::nullopt;
    }
    std::optional<FolderIdentity> identity = folder->Identity();
    std::optional<std::vector<FolderEntry>> entries = identity ? folder->List() : std::nullopt;
    if (!entries) {
        return std::nullopt;
    }
    return Frame{std::move(*folder), *identity, std::move(path), std::move(*entries)};
}

// Gets the descriptor of a folder given back while the walk was below it, through the
// ".." of the sub folder just finished; it must be the very folder left. A sub folder that
// was itself lost leads nowhere.
bool Reopen(Frame& frame, const FolderHandle& child) {
    std::optional<FolderHandle> parent = child.IsOpen() ? child.OpenParent() : std::nullopt;
    if (!parent || parent->Identity() != frame.identity) {
        errno = ESTALE;
        return false;
    }
    frame.folder = std::move(*parent);
    return true;
}

} // namespace

void WalkFolder(const std::string& path, bool recurse, FolderVisitor& visitor) {
    std::string topPath = path;
    if (topPath.ends_with('/')) {
        topPath.pop_back();
    }
    std::vector<Frame> stack;
    std::optional<Frame> top = EnterFolder(FolderHandle::Open(path), topPath);
    if (!top) {
        visitor.FolderNotOpened(topPath, errno);
        return;
    }
    stack.push_back(std::move(*top));
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            if (stack.size() > 1 && !stack[stack.size() - 2].folder.IsOpen()) {
                Frame& parent = stack[stack.size() - 2];
                if (!Reopen(parent, frame.folder)) {
                    visitor.FolderNotOpened(parent.path, errno);
                    parent.next = parent.entries.size();
                }
            }
            stack.pop_back();
            continue;
        }
        const FolderEntry& entry = frame.entries[frame.next++];
        if (entry.kind == EntryKind::File) {
            visitor.FileAt(frame.folder, frame.path, entry.name);
            continue;
        }
        if (entry.kind != EntryKind::Folder || !recurse ||
            !visitor.ShouldEnter(frame.path, entry.name)) {
            continue;
        }
        std::string subPath = frame.path + "/" + entry.name;
        std::optional<Frame> sub = EnterFolder(frame.folder.OpenSubFolder(entry.name), subPath);
        if (!sub) {
            visitor.FolderNotOpened(subPath, errno);
            continue;
        }
        visitor.FolderEntered(subPath);
        if (stack.size() >= kHeldFolders) {
            stack[stack.size() - kHeldFolders].folder.Close();
        }
        // frame is not used after this: the push may move it.
        stack.push_back(std::move(*sub));
    }
}

} // namespace sumwarden
