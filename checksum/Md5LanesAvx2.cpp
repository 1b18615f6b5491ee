// The AVX2 back end: 8 lanes per vector, in two interleaved groups or one.

#include "checksum/Md5LaneBackEnds.h"
#include "checksum/Md5Lanes256.h"
#include "checksum/Md5LanesKernel.h"

#include <immintrin.h>

namespace sumwarden::md5lanes {
namespace {

struct Avx2 : Lanes256 {
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
