// The AVX-512 back end: 16 lanes per vector in two interleaved groups, or one vector of 8
// or 4 lanes (AVX-512VL); the rotate and three-input logic instructions shorten each
// step's chain.

#include "checksum/Md5LaneBackEnds.h"
#include "checksum/Md5Lanes128.h"
#include "checksum/Md5Lanes256.h"
#include "checksum/Md5LanesKernel.h"

#include <immintrin.h>

namespace sumwarden::md5lanes {
namespace {

// Truth tables of the round functions for the three-input logic instruction, indexed by
// (b << 2) | (c << 1) | d.
constexpr int kTableF = 0xca; // b ? c : d
constexpr int kTableG = 0xe4; // d ? b : c
constexpr int kTableH = 0x96; // b ^ c ^ d
constexpr int kTableI = 0x39; // c ^ (b | ~d)

struct Avx512 {
    using Vector = __m512i;
    static constexpr int kWidth = 16;

    static Vector Load(const std::uint32_t* words) { return _mm512_load_si512(words); }
    static void Store(std::uint32_t* words, Vector v) { _mm512_store_si512(words, v); }
    static Vector Add(Vector x, Vector y) { return _mm512_add_epi32(x, y); }
    template <int S>
    static Vector Rotl(Vector x) {
        // The masked form with a full mask: the plain one starts from an undefined
        // vector, which GCC 12 warns about.
        return _mm512_mask_rol_epi32(x, 0xffff, x, S);
    }
    static Vector F(Vector b, Vector c, Vector d) {
        return _mm512_ternarylogic_epi32(b, c, d, kTableF);
    }
    static Vector G(Vector b, Vector c, Vector d) {
        return _mm512_ternarylogic_epi32(b, c, d, kTableG);
    }
    static Vector H(Vector b, Vector c, Vector d) {
        return _mm512_ternarylogic_epi32(b, c, d, kTableH);
    }
    static Vector I(Vector b, Vector c, Vector d) {
        return _mm512_ternarylogic_epi32(b, c, d, kTableI);
    }
    static void TransposeWords(std::uint32_t* rows, std::size_t rowStride,
                               const std::uint8_t* const* blocks, std::size_t offset) {
        TransposeEightLanes(rows, rowStride, blocks, offset);
        TransposeEightLanes(rows + 8, rowStride, blocks + 8, offset);
    }
};

struct Avx512Narrow : Lanes256 {
    template <int S>
    static Vector Rotl(Vector x) {
        return _mm256_mask_rol_epi32(x, 0xff, x, S);
    }
    static Vector F(Vector b, Vector c, Vector d) {
        return _mm256_ternarylogic_epi32(b, c, d, kTableF);
    }
    static Vector G(Vector b, Vector c, Vector d) {
        return _mm256_ternarylogic_epi32(b, c, d, kTableG);
    }
    static Vector H(Vector b, Vector c, Vector d) {
        return _mm256_ternarylogic_epi32(b, c, d, kTableH);
    }
    static Vector I(Vector b, Vector c, Vector d) {
        return _mm256_ternarylogic_epi32(b, c, d, kTableI);
    }
};

struct Avx512Narrowest : Lanes128 {
    template <int S>
    static Vector Rotl(Vector x) {
        return _mm_mask_rol_epi32(x, 0xf, x, S);
    }
    static Vector F(Vector b, Vector c, Vector d) {
        return _mm_ternarylogic_epi32(b, c, d, kTableF);
    }
    static Vector G(Vector b, Vector c, Vector d) {
        return _mm_ternarylogic_epi32(b, c, d, kTableG);
    }
    static Vector H(Vector b, Vector c, Vector d) {
        return _mm_ternarylogic_epi32(b, c, d, kTableH);
    }
    static Vector I(Vector b, Vector c, Vector d) {
        return _mm_ternarylogic_epi32(b, c, d, kTableI);
    }
};

} // namespace

void CompressAvx512Narrow(Md5LaneStates& states, const std::uint8_t* const* blocks,
                          std::size_t count) {
    static_assert(kAvx512NarrowLanes == Avx512Narrow::kWidth);
    CompressLanes<Avx512Narrow, 1>(states, blocks, count);
}

void CompressAvx512Narrowest(Md5LaneStates& states, const std::uint8_t* const* blocks,
                             std::size_t count) {
    static_assert(kAvx512NarrowestLanes == Avx512Narrowest::kWidth);
    CompressLanes<Avx512Narrowest, 1>(states, blocks, count);
}

void CompressAvx512(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count) {
    static_assert(kAvx512Lanes == 2 * Avx512::kWidth);
    CompressLanes<Avx512, 2>(states, blocks, count);
}

} // namespace sumwarden::md5lanes
