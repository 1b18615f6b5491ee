#pragma once

// Messages and their digests for the digest tests: the scalar code's digest of a message in
// memory, reproducible random messages, and the digest rows of a list of files.

#include "checksum/FileDigestList.h"

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace sumwarden::testing {

// The digest text of the bytes, by DigestInit, one DigestUpdate and DigestFinal.
std::string MemoryDigestHex(const std::string& content);

std::string RandomBytes(std::size_t length, std::mt19937& random);

// The digest list's rows of the paths, in order, hashed on a pipeline of `jobs` threads.
std::vector<FileDigestRow> ListFileDigests(const std::vector<std::string>& paths,
                                           std::size_t jobs = DefaultJobCount());

} // namespace sumwarden::testing
