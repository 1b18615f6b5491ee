// The AVX2 back end: 8 lanes per vector, in two interleaved groups or one.

#include "checksum/Md5LaneBackEnds.h"
#include "checksum/Md5LanesKernel.h"

#include <immintrin.h>

namespace sumwarden::md5lanes {
namespace {

struct Avx2 {
    using Vector = __m256i;
    static constexpr int kWidth = 8;

    static Vector Load(const std::uint32_t* words) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(words));
    }
    static void Store(std::uint32_t* words, Vector v) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(words), v);
    }
    static Vector Set1(std::uint32_t value) { return _mm256_set1_epi32(static_cast<int>(value)); }
    static Vector Add(Vector x, Vector y) { return _mm256_add_epi32(x, y); }
    template <int S>
    static Vector Rotl(Vector x) {
        return _mm256_or_si256(_mm256_slli_epi32(x, S), _mm256_srli_epi32(x, 32 - S));
    }
    static Vector F(Vector b, Vector c, Vector d) {
        return _mm256_xor_si256(_mm256_and_si256(_mm256_xor_si256(c, d), b), d);
    }
    // sum + G(b, c, d), with G's two halves (their bits never overlap) added one by one:
    // the half without b, the newest value, is added while b is still being computed.
    static Vector AddG(Vector sum, Vector b, Vector c, Vector d) {
        return Add(Add(sum, _mm256_andnot_si256(d, c)), _mm256_and_si256(b, d));
    }
    // b is the newest value: c ^ d is ready before it.
    static Vector H(Vector b, Vector c, Vector d) {
        return _mm256_xor_si256(b, _mm256_xor_si256(c, d));
    }
    static Vector I(Vector b, Vector c, Vector d) {
        return _mm256_xor_si256(c, _mm256_or_si256(b, _mm256_xor_si256(d, _mm256_set1_epi32(-1))));
    }

    // Word i of eight lanes' blocks into row i (rows rowStride words apart): each half of
    // the blocks is an 8 x 8 transpose of 32-bit words, in three rounds of shuffles.
    static void TransposeWords(std::uint32_t* rows, std::size_t rowStride,
                               const std::uint8_t* const* blocks, std::size_t offset) {
        for (int half = 0; half < 2; ++half) {
            Vector r[8];
            for (int lane = 0; lane < 8; ++lane) {
                r[lane] = _mm256_loadu_si256(
                    reinterpret_cast<const __m256i*>(blocks[lane] + offset + 32 * half));
            }
            Vector pairs[8]; // words 0, 1, 4, 5 (even) and 2, 3, 6, 7 (odd) of two lanes
            for (int lane = 0; lane < 8; lane += 2) {
                pairs[lane] = _mm256_unpacklo_epi32(r[lane], r[lane + 1]);
                pairs[lane + 1] = _mm256_unpackhi_epi32(r[lane], r[lane + 1]);
            }
            Vector quads[8]; // one word of four lanes in each 128-bit half
            for (int group = 0; group < 8; group += 4) {
                for (int odd = 0; odd < 2; ++odd) {
                    const Vector low = pairs[group + odd];
                    const Vector high = pairs[group + 2 + odd];
                    quads[group + 2 * odd] = _mm256_unpacklo_epi64(low, high);
                    quads[group + 2 * odd + 1] = _mm256_unpackhi_epi64(low, high);
                }
            }
            std::uint32_t* halfRows = rows + 8 * half * rowStride;
            for (int word = 0; word < 4; ++word) {
                Store(halfRows + word * rowStride,
                      _mm256_permute2x128_si256(quads[word], quads[4 + word], 0x20));
                Store(halfRows + (word + 4) * rowStride,
                      _mm256_permute2x128_si256(quads[word], quads[4 + word], 0x31));
            }
        }
    }
};

} // namespace

void CompressAvx2(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count) {
    static_assert(kAvx2Lanes == 2 * Avx2::kWidth);
    CompressLanes<Avx2, 2>(states, blocks, count);
}

void CompressAvx2Narrow(Md5LaneStates& states, const std::uint8_t* const* blocks,
                        std::size_t count) {
    static_assert(kAvx2NarrowLanes == Avx2::kWidth);
    CompressLanes<Avx2, 1>(states, blocks, count);
}

} // namespace sumwarden::md5lanes
