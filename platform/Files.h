#pragma once

// Files and folders as the engine sees them. Paths are bytes with "/" as separator;
// a path holding a NUL byte names nothing.

#include "platform/FileDescriptor.h"
#include "platform/FolderHandle.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sumwarden {

// Opens a regular file read-only without blocking; folders, FIFOs, sockets and devices
// fail. Links are followed. This is the one way files are opened for hashing.
std::optional<FileDescriptor> OpenFileForDigest(const std::string& path);

// True when the path names something other than a folder; a dangling link counts.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// True when the path names a regular file, links followed.
bool RegularFileExists(const std::string& path);

// The entries of a folder sorted by name in byte order, without "." and "..";
// nothing when the folder cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path);

// Opens a regular file for reading without waiting for a FIFO's writer; throws IoError,
// also for anything that is not a regular file.
FileDescriptor OpenForReading(const std::string& path);

// read(2) that retries on EINTR: bytes read, 0 at the end, -1 with errno on failure.
long ReadRetrying(int descriptor, void* buffer, std::size_t size);

// Like ReadRetrying, and sets `waited` when the read had to wait for the disk: it first
// reads only what is in the page cache (RWF_NOWAIT), and reads normally when that would
// block. Where the system cannot tell, it counts as a wait.
long ReadNotingWait(int descriptor, void* buffer, std::size_t size, bool& waited);

// Gives the kernel the sequential-access hint for the whole file.
void AdviseSequential(int descriptor);

// Asks the kernel to start reading the file's first `length` bytes into the page cache
// and returns without waiting for them.
void AdviseWillNeed(int descriptor, std::uint64_t length);

// True when the file's first `length` bytes are nearly all in the page cache, so reading
// them costs no trip to the disk; judged from a few runs of pages spread over them.
bool StartIsCached(int descriptor, std::uint64_t length);

// True when the open file lies on a disk that says its head must seek (a spinning disk);
// false when it does not, or when it cannot tell (memory, network and pooled file systems).
bool OnRotatingDisk(int descriptor);

} // namespace sumwarden
