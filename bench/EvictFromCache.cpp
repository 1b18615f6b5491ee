// Drops files from the page cache, so the next read of them goes to the disk: writes out
// whatever is pending (sync), then tells the kernel each file's cached pages are not
// needed. Needs no special rights. Folders are walked; links are not followed.
// Usage: sumwarden-evict PATH...

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

void Evict(const std::filesystem::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return;
    }
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
    ::close(descriptor);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: sumwarden-evict PATH...\n", stderr);
        return 2;
    }
    ::sync();
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        const std::filesystem::path top(argv[i]);
        if (!std::filesystem::is_directory(std::filesystem::symlink_status(top, error))) {
            Evict(top);
            continue;
        }
        for (auto entry = std::filesystem::recursive_directory_iterator(top, error);
             !error && entry != std::filesystem::recursive_directory_iterator();
             entry.increment(error)) {
            if (entry->is_regular_file(error)) {
                Evict(entry->path());
            }
        }
    }
    return 0;
}
