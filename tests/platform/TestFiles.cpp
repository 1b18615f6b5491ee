#include "tests/platform/TestFiles.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sumwarden::testing {
namespace {

void MakeParentFolders(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

void GiveToUnprivilegedUser(const std::string& path) {
    if (::geteuid() == 0 && ::lchown(path.c_str(), kUnprivilegedId, kUnprivilegedId) != 0) {
        throw std::runtime_error("cannot chown " + path);
    }
}

bool DropPrivileges() {
    if (::geteuid() != 0) {
        return true;
    }
    return ::setgroups(0, nullptr) == 0 &&
           ::setresgid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) == 0 &&
           ::setresuid(kUnprivilegedId, kUnprivilegedId, kUnprivilegedId) == 0 &&
           ::geteuid() == kUnprivilegedId;
}

int WaitForChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Fork(bool unprivileged, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        if (unprivileged && !DropPrivileges()) {
            ::_exit(kDropFailed);
        }
        int result = 255;
        try {
            result = body();
        } catch (...) {
        }
        ::_exit(result);
    }
    return WaitForChild(child);
}

} // namespace

ScratchFolder::ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/sumwarden-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
    ::chmod(path_.c_str(), 0755);
    GiveToUnprivilegedUser(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    // Folders a test made unlistable must be opened again before they can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            ::chmod(it->path().c_str(), 0755);
        }
    }
    std::filesystem::remove_all(path_, ignored);
    // Trees deeper than the path length limit defeat the library; rm walks by descriptor.
    if (ignored && ::access(path_.c_str(), F_OK) == 0) {
        RunInChild([&] {
            ::execl("/bin/rm", "rm", "-rf", "--", path_.c_str(), static_cast<char*>(nullptr));
            return 127;
        });
    }
}

std::string ScratchFolder::operator/(std::string_view relative) const {
    return path_ + "/" + std::string(relative);
}

std::string ScratchFolder::WriteFile(std::string_view relative, std::string_view content) const {
    const std::string path = *this / relative;
    MakeParentFolders(path);
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
}

std::string ScratchFolder::MakeFolder(std::string_view relative) const {
    const std::string path = *this / relative;
    std::filesystem::create_directories(path);
    return path;
}

int RunUnprivileged(const std::function<int()>& body) {
    return Fork(true, body);
}

int RunInChild(const std::function<int()>& body) {
    return Fork(false, body);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string MakeDeepTree(const std::string& root, int levels, const std::string& name,
                         std::string_view content) {
    int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string relative;
    for (int level = 0; level < levels && folder >= 0; ++level) {
        ::mkdirat(folder, name.c_str(), 0755);
        const int sub = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(folder);
        folder = sub;
        relative += name + "/";
    }
    if (folder < 0) {
        throw std::runtime_error("cannot build a deep tree under " + root);
    }
    const int leaf = ::openat(folder, "leaf", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        leaf >= 0 && ::write(leaf, content.data(), content.size()) == ssize_t(content.size());
    ::close(leaf);
    ::close(folder);
    if (!written) {
        throw std::runtime_error("cannot write the leaf of a deep tree");
    }
    return relative + "leaf";
}

} // namespace sumwarden::testing
