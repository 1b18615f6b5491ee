#pragma once

// Test helpers for file-system cases: a scratch folder, and running a probe in a forked
// child that cannot override file permissions (also when the tests run as root).

#include <functional>
#include <string>
#include <string_view>

namespace sumwarden::testing {

// The uid and gid an unprivileged child takes when the tests run as root.
inline constexpr unsigned kUnprivilegedId = 65534;

// A fresh folder under the temporary directory, removed with everything in it. It is
// world-traversable and, when running as root, owned by the unprivileged user, so a
// child running unprivileged may create files in it.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path_; }
    // Path() + "/" + relative.
    std::string operator/(std::string_view relative) const;

    // Creates the file (and its missing parent folders) with the given content.
    std::string WriteFile(std::string_view relative, std::string_view content = {}) const;
    std::string MakeFolder(std::string_view relative) const;

private:
    std::string path_;
};

// Runs the body in a forked child and returns its result (0..255). When running as root
// the child first drops to the unprivileged user, so permission bits apply to it; a failed
// drop yields kDropFailed, never a silent pass.
inline constexpr int kDropFailed = 250;
int RunUnprivileged(const std::function<int()>& body);

// Runs the body in a forked child with no privilege change (for limits such as RLIMIT_FSIZE).
int RunInChild(const std::function<int()>& body);

std::string ReadWholeFile(const std::string& path);

// Makes levels nested folders, each named name, below root, with a file "leaf" holding
// content at the bottom; built by descriptor, so the tree may be deeper than any path the
// system accepts. Returns the relative path of the leaf.
std::string MakeDeepTree(const std::string& root, int levels, const std::string& name,
                         std::string_view content);

} // namespace sumwarden::testing
