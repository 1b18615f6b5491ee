#pragma once

// Digests of whole files and their text form.

#include "checksum/Md5.h"

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

// 32 lower-case hexadecimal characters, high half of each byte first.
std::string DigestToHex(const TDigest& digest);

std::string FileDigestHex(const std::string& path);

} // namespace sumwarden
