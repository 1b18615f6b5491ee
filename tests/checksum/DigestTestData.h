#pragma once

// Messages and their digests for the digest tests: the scalar code's digest of a message in
// memory, and reproducible random messages.

#include <cstddef>
#include <random>
#include <string>

namespace sumwarden::testing {

// The digest text of the bytes, by DigestInit, one DigestUpdate and DigestFinal.
std::string MemoryDigestHex(const std::string& content);

std::string RandomBytes(std::size_t length, std::mt19937& random);

} // namespace sumwarden::testing
