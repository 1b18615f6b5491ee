#include "checksum/Md5.h"

#include <bit>
#include <cstring>

namespace sumwarden {
namespace {

constexpr std::uint8_t kPadding[64] = {0x80};

// Keeps the compiler from folding later additions into a value: each step adds the
// message word and the constant to the old chaining value before the round function
// is known, so only function, add, rotate and add stay on the dependency chain.
inline void HoldValue(std::uint32_t& value) {
    asm volatile("" : "+r"(value));
}

inline std::uint32_t LoadWord(const std::uint8_t* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap32(word);
    }
    return word;
}

inline void StoreWord(std::uint8_t* bytes, std::uint32_t word) {
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap32(word);
    }
    std::memcpy(bytes, &word, sizeof word);
}

inline void StepF(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t word, std::uint32_t constant, int shift) {
    a += word + constant;
    HoldValue(a);
    a += ((c ^ d) & b) ^ d;
    a = std::rotl(a, shift) + b;
}

// G in the (b & d) + (c & ~d) form: the second term does not depend on b.
inline void StepG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t word, std::uint32_t constant, int shift) {
    a += word + constant;
    a += c & ~d;
    HoldValue(a);
    a += b & d;
    a = std::rotl(a, shift) + b;
}

inline void StepH(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t word, std::uint32_t constant, int shift) {
    a += word + constant;
    HoldValue(a);
    std::uint32_t cd = c ^ d;
    HoldValue(cd);
    a += cd ^ b;
    a = std::rotl(a, shift) + b;
}

inline void StepI(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                  std::uint32_t word, std::uint32_t constant, int shift) {
    a += word + constant;
    HoldValue(a);
    a += c ^ (b | ~d);
    a = std::rotl(a, shift) + b;
}

} // namespace

void Md5CompressBlocks(std::uint32_t state[4], const std::uint8_t* blocks, std::size_t count) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; count > 0; --count, blocks += 64) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) {
            x[i] = LoadWord(blocks + 4 * i);
        }
        const std::uint32_t oldA = a, oldB = b, oldC = c, oldD = d;

        StepF(a, b, c, d, x[0], 0xd76aa478, 7);
        StepF(d, a, b, c, x[1], 0xe8c7b756, 12);
        StepF(c, d, a, b, x[2], 0x242070db, 17);
        StepF(b, c, d, a, x[3], 0xc1bdceee, 22);
        StepF(a, b, c, d, x[4], 0xf57c0faf, 7);
        StepF(d, a, b, c, x[5], 0x4787c62a, 12);
        StepF(c, d, a, b, x[6], 0xa8304613, 17);
        StepF(b, c, d, a, x[7], 0xfd469501, 22);
        StepF(a, b, c, d, x[8], 0x698098d8, 7);
        StepF(d, a, b, c, x[9], 0x8b44f7af, 12);
        StepF(c, d, a, b, x[10], 0xffff5bb1, 17);
        StepF(b, c, d, a, x[11], 0x895cd7be, 22);
        StepF(a, b, c, d, x[12], 0x6b901122, 7);
        StepF(d, a, b, c, x[13], 0xfd987193, 12);
        StepF(c, d, a, b, x[14], 0xa679438e, 17);
        StepF(b, c, d, a, x[15], 0x49b40821, 22);

        StepG(a, b, c, d, x[1], 0xf61e2562, 5);
        StepG(d, a, b, c, x[6], 0xc040b340, 9);
        StepG(c, d, a, b, x[11], 0x265e5a51, 14);
        StepG(b, c, d, a, x[0], 0xe9b6c7aa, 20);
        StepG(a, b, c, d, x[5], 0xd62f105d, 5);
        StepG(d, a, b, c, x[10], 0x02441453, 9);
        StepG(c, d, a, b, x[15], 0xd8a1e681, 14);
        StepG(b, c, d, a, x[4], 0xe7d3fbc8, 20);
        StepG(a, b, c, d, x[9], 0x21e1cde6, 5);
        StepG(d, a, b, c, x[14], 0xc33707d6, 9);
        StepG(c, d, a, b, x[3], 0xf4d50d87, 14);
        StepG(b, c, d, a, x[8], 0x455a14ed, 20);
        StepG(a, b, c, d, x[13], 0xa9e3e905, 5);
        StepG(d, a, b, c, x[2], 0xfcefa3f8, 9);
        StepG(c, d, a, b, x[7], 0x676f02d9, 14);
        StepG(b, c, d, a, x[12], 0x8d2a4c8a, 20);

        StepH(a, b, c, d, x[5], 0xfffa3942, 4);
        StepH(d, a, b, c, x[8], 0x8771f681, 11);
        StepH(c, d, a, b, x[11], 0x6d9d6122, 16);
        StepH(b, c, d, a, x[14], 0xfde5380c, 23);
        StepH(a, b, c, d, x[1], 0xa4beea44, 4);
        StepH(d, a, b, c, x[4], 0x4bdecfa9, 11);
        StepH(c, d, a, b, x[7], 0xf6bb4b60, 16);
        StepH(b, c, d, a, x[10], 0xbebfbc70, 23);
        StepH(a, b, c, d, x[13], 0x289b7ec6, 4);
        StepH(d, a, b, c, x[0], 0xeaa127fa, 11);
        StepH(c, d, a, b, x[3], 0xd4ef3085, 16);
        StepH(b, c, d, a, x[6], 0x04881d05, 23);
        StepH(a, b, c, d, x[9], 0xd9d4d039, 4);
        StepH(d, a, b, c, x[12], 0xe6db99e5, 11);
        StepH(c, d, a, b, x[15], 0x1fa27cf8, 16);
        StepH(b, c, d, a, x[2], 0xc4ac5665, 23);

        StepI(a, b, c, d, x[0], 0xf4292244, 6);
        StepI(d, a, b, c, x[7], 0x432aff97, 10);
        StepI(c, d, a, b, x[14], 0xab9423a7, 15);
        StepI(b, c, d, a, x[5], 0xfc93a039, 21);
        StepI(a, b, c, d, x[12], 0x655b59c3, 6);
        StepI(d, a, b, c, x[3], 0x8f0ccc92, 10);
        StepI(c, d, a, b, x[10], 0xffeff47d, 15);
        StepI(b, c, d, a, x[1], 0x85845dd1, 21);
        StepI(a, b, c, d, x[8], 0x6fa87e4f, 6);
        StepI(d, a, b, c, x[15], 0xfe2ce6e0, 10);
        StepI(c, d, a, b, x[6], 0xa3014314, 15);
        StepI(b, c, d, a, x[13], 0x4e0811a1, 21);
        StepI(a, b, c, d, x[4], 0xf7537e82, 6);
        StepI(d, a, b, c, x[11], 0xbd3af235, 10);
        StepI(c, d, a, b, x[2], 0x2ad7d2bb, 15);
        StepI(b, c, d, a, x[9], 0xeb86d391, 21);

        a += oldA;
        b += oldB;
        c += oldC;
        d += oldD;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

void DigestInit(TDigestContext& context) {
    context.State[0] = 0x67452301;
    context.State[1] = 0xefcdab89;
    context.State[2] = 0x98badcfe;
    context.State[3] = 0x10325476;
    context.BitCount[0] = 0;
    context.BitCount[1] = 0;
    std::memset(context.Buffer, 0, sizeof context.Buffer);
}

void DigestUpdate(TDigestContext& context, const void* data, std::uint32_t length) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint32_t index = (context.BitCount[0] >> 3) & 63;
    const std::uint32_t addedBits = length << 3;
    context.BitCount[0] += addedBits;
    if (context.BitCount[0] < addedBits) {
        ++context.BitCount[1];
    }
    context.BitCount[1] += length >> 29;

    const std::uint32_t partLength = 64 - index;
    std::uint32_t offset = 0;
    if (length >= partLength) {
        std::memcpy(context.Buffer + index, bytes, partLength);
        Md5CompressBlocks(context.State, context.Buffer, 1);
        offset = partLength;
        const std::uint32_t wholeBlocks = (length - offset) / 64;
        Md5CompressBlocks(context.State, bytes + offset, wholeBlocks);
        offset += wholeBlocks * 64;
        index = 0;
    }
    std::memcpy(context.Buffer + index, bytes + offset, length - offset);
}

void DigestFinal(TDigestContext& context, TDigest& digest) {
    std::uint8_t bitCount[8];
    StoreWord(bitCount, context.BitCount[0]);
    StoreWord(bitCount + 4, context.BitCount[1]);
    const std::uint32_t index = (context.BitCount[0] >> 3) & 63;
    const std::uint32_t padLength = index < 56 ? 56 - index : 120 - index;
    DigestUpdate(context, kPadding, padLength);
    DigestUpdate(context, bitCount, sizeof bitCount);
    for (int i = 0; i < 4; ++i) {
        StoreWord(digest.data() + 4 * i, context.State[i]);
    }
    // A volatile pointer keeps the compiler from dropping the wipe of a dead object.
    volatile std::uint8_t* wipe = reinterpret_cast<volatile std::uint8_t*>(&context);
    for (std::size_t i = 0; i < sizeof context; ++i) {
        wipe[i] = 0;
    }
}

} // namespace sumwarden
