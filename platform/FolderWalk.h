#pragma once

// A depth-first walk of a folder tree by directory descriptors: neither the depth of the
// tree nor the length of its paths limits it, and no folder it cannot open or list is
// passed over in silence. Names are visited in byte order; links to folders are never
// entered and yield nothing.

#include "platform/FolderHandle.h"

#include <string>

namespace sumwarden {

class FolderVisitor {
public:
    virtual ~FolderVisitor() = default;

    // Whether to enter a sub folder; asked before it is opened. parentPath is the folder's
    // path as FileAt receives it.
    virtual bool ShouldEnter(const std::string& parentPath, const std::string& name) = 0;
    // The folder (parentPath + "/" + name) was opened and listed; its entries follow.
    virtual void FolderEntered(const std::string& path) = 0;
    // The folder could not be opened or listed (errno value); nothing of it follows. Also
    // called for the top folder, and for a folder that could not be reached again after
    // one of its sub folders: then the rest of its entries are left out.
    virtual void FolderNotOpened(const std::string& path, int errorNumber) = 0;
    // A file (anything but a folder or a link to one) in the folder at folderPath.
    virtual void FileAt(const FolderHandle& folder, const std::string& folderPath,
                        const std::string& name) = 0;
};

// Walks the folder named by path; sub folders only when recurse is set. The path given to
// the visitor for the top folder is path without a trailing "/".
void WalkFolder(const std::string& path, bool recurse, FolderVisitor& visitor);

} // namespace sumwarden
