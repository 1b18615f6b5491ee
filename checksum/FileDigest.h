#pragma once

// Digests of whole files and their text form.

#include "checksum/JobControl.h"
#include "checksum/Md5.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace sumwarden {

// The digest of the file's whole content, of any size; the digest of empty input when the
// file cannot be opened or read.
TDigest FileDigest(const std::string& path);

// Like FileDigest, but nothing when the file cannot be opened or a read fails part way.
std::optional<TDigest> TryFileDigest(const std::string& path);

// The digest of everything left to read from an open descriptor (standard input, a pipe);
// nothing when a read fails.
std::optional<TDigest> TryDescriptorDigest(int descriptor);

// A file's size when its size is not known.
inline constexpr std::uint64_t kUnknownSize = std::numeric_limits<std::uint64_t>::max();

// Whether a read of a file that had sizeWhenOpened bytes when it was opened reached its
// end: the read came up short (got fewer bytes than asked) just as the bytes read so far
// (total) made up that size. It saves the read that would return nothing; a file that grew
// or shrank meanwhile is read on until a read returns nothing.
inline bool ReadReachedEnd(std::size_t asked, std::size_t got, std::uint64_t total,
                           std::uint64_t sizeWhenOpened) {
    return got < asked && total == sizeWhenOpened;
}

struct OpenedFileDigest {
    TDigest digest;
    std::uint64_t bytes = 0; // read and hashed
};

// The digest of everything left to read from an open file, and how many bytes that was;
// nothing when a read fails. With a control, each block read is counted there, and a stop
// requested there ends the reading before the next block (nothing).
std::optional<OpenedFileDigest> TryOpenedFileDigest(int descriptor, std::uint64_t sizeWhenOpened,
                                                    JobControl* control = nullptr);

// 32 lower-case hexadecimal characters, high half of each byte first.
std::string DigestToHex(const TDigest& digest);

std::string FileDigestHex(const std::string& path);

} // namespace sumwarden
