#pragma once

// MD5 message digest (RFC 1321) over memory blocks.

#include <array>
#include <cstddef>
#include <cstdint>

namespace sumwarden {

// The 16 digest bytes in output order: A, B, C, D, each least significant byte first.
using TDigest = std::array<std::uint8_t, 16>;

// Working record of one digest; owned by the caller, holds no pointers.
struct TDigestContext {
    std::uint32_t State[4];
    std::uint32_t BitCount[2]; // number of message bits, low word first, wraps modulo 2^64
    std::uint8_t Buffer[64];   // pending part of an unfinished block
};

// The compression function over count consecutive 64-byte blocks, for callers that keep
// their own chaining values (the multi-buffer lanes).
void Md5CompressBlocks(std::uint32_t state[4], const std::uint8_t* blocks, std::size_t count);

void DigestInit(TDigestContext& context);
void DigestUpdate(TDigestContext& context, const void* data, std::uint32_t length);
// Writes the digest, then zeroes every byte of the context; it needs DigestInit before reuse.
void DigestFinal(TDigestContext& context, TDigest& digest);

} // namespace sumwarden
