#pragma once

// What the back ends whose vectors hold eight lanes in 256 bits (AVX2, and AVX-512VL)
// share: loading, storing and adding vectors, and gathering the message words with
// shuffles. Included only by back-end files built for such an instruction set; internal
// linkage keeps each build's copy its own.

#include <cstddef>
#include <cstdint>
#include <immintrin.h>

namespace sumwarden::md5lanes {
namespace {

// Word i of eight lanes' blocks into row i (rows rowStride words apart, each 32-byte
// aligned): each half of the blocks is an 8 x 8 transpose of 32-bit words, in three rounds
// of shuffles.
inline void TransposeEightLanes(std::uint32_t* rows, std::size_t rowStride,
                                const std::uint8_t* const* blocks, std::size_t offset) {
    for (int half = 0; half < 2; ++half) {
        __m256i r[8];
        for (int lane = 0; lane < 8; ++lane) {
            r[lane] = _mm256_loadu_si256(
                reinterpret_cast<const __m256i*>(blocks[lane] + offset + 32 * half));
        }
        __m256i pairs[8]; // words 0, 1, 4, 5 (even) and 2, 3, 6, 7 (odd) of two lanes
        for (int lane = 0; lane < 8; lane += 2) {
            pairs[lane] = _mm256_unpacklo_epi32(r[lane], r[lane + 1]);
            pairs[lane + 1] = _mm256_unpackhi_epi32(r[lane], r[lane + 1]);
        }
        __m256i quads[8]; // one word of four lanes in each 128-bit half
        for (int group = 0; group < 8; group += 4) {
            for (int odd = 0; odd < 2; ++odd) {
                const __m256i low = pairs[group + odd];
                const __m256i high = pairs[group + 2 + odd];
                quads[group + 2 * odd] = _mm256_unpacklo_epi64(low, high);
                quads[group + 2 * odd + 1] = _mm256_unpackhi_epi64(low, high);
            }
        }
        std::uint32_t* halfRows = rows + 8 * half * rowStride;
        for (int word = 0; word < 4; ++word) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(halfRows + word * rowStride),
                               _mm256_permute2x128_si256(quads[word], quads[4 + word], 0x20));
            _mm256_store_si256(reinterpret_cast<__m256i*>(halfRows + (word + 4) * rowStride),
                               _mm256_permute2x128_si256(quads[word], quads[4 + word], 0x31));
        }
    }
}

// The operations on eight-lane vectors that need no instruction beyond AVX2; a back end
// adds its round functions and rotation.
struct Lanes256 {
    using Vector = __m256i;
    static constexpr int kWidth = 8;

    static Vector Load(const std::uint32_t* words) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(words));
    }
    static void Store(std::uint32_t* words, Vector v) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(words), v);
    }
    static Vector Add(Vector x, Vector y) { return _mm256_add_epi32(x, y); }
    static void TransposeWords(std::uint32_t* rows, std::size_t rowStride,
                               const std::uint8_t* const* blocks, std::size_t offset) {
        TransposeEightLanes(rows, rowStride, blocks, offset);
    }
};

} // namespace
} // namespace sumwarden::md5lanes
