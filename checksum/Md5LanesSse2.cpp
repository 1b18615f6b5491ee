// The SSE2 back end: 4 lanes per vector, in two interleaved groups or one.

#include "checksum/Md5LaneBackEnds.h"
#include "checksum/Md5Lanes128.h"
#include "checksum/Md5LanesKernel.h"

#include <emmintrin.h>

namespace sumwarden::md5lanes {
namespace {

struct Sse2 : Lanes128 {
    template <int S>
    static Vector Rotl(Vector x) {
        return _mm_or_si128(_mm_slli_epi32(x, S), _mm_srli_epi32(x, 32 - S));
    }
    static Vector F(Vector b, Vector c, Vector d) {
        return _mm_xor_si128(_mm_and_si128(_mm_xor_si128(c, d), b), d);
    }
    // sum + G(b, c, d), with G's two halves (their bits never overlap) added one by one:
    // the half without b, the newest value, is added while b is still being computed.
    static Vector AddG(Vector sum, Vector b, Vector c, Vector d) {
        return Add(Add(sum, _mm_andnot_si128(d, c)), _mm_and_si128(b, d));
    }
    // b is the newest value: c ^ d is ready before it.
    static Vector H(Vector b, Vector c, Vector d) { return _mm_xor_si128(b, _mm_xor_si128(c, d)); }
    static Vector I(Vector b, Vector c, Vector d) {
        return _mm_xor_si128(c, _mm_or_si128(b, _mm_xor_si128(d, _mm_set1_epi32(-1))));
    }

    // Word i of four lanes' blocks into row i (rows rowStride words apart): each quarter
    // of the blocks is a 4 x 4 transpose of 32-bit words, in two rounds of unpacks.
    static void TransposeWords(std::uint32_t* rows, std::size_t rowStride,
                               const std::uint8_t* const* blocks, std::size_t offset) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            Vector r[4];
            for (int lane = 0; lane < 4; ++lane) {
                r[lane] = _mm_loadu_si128(
                    reinterpret_cast<const __m128i*>(blocks[lane] + offset + 16 * quarter));
            }
            const Vector low01 = _mm_unpacklo_epi32(r[0], r[1]);  // words 0, 1 of lanes 0, 1
            const Vector high01 = _mm_unpackhi_epi32(r[0], r[1]); // words 2, 3 of lanes 0, 1
            const Vector low23 = _mm_unpacklo_epi32(r[2], r[3]);
            const Vector high23 = _mm_unpackhi_epi32(r[2], r[3]);
            std::uint32_t* quarterRows = rows + 4 * quarter * rowStride;
            Store(quarterRows, _mm_unpacklo_epi64(low01, low23));
            Store(quarterRows + rowStride, _mm_unpackhi_epi64(low01, low23));
            Store(quarterRows + 2 * rowStride, _mm_unpacklo_epi64(high01, high23));
            Store(quarterRows + 3 * rowStride, _mm_unpackhi_epi64(high01, high23));
        }
    }
};

} // namespace

void CompressSse2(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count) {
    static_assert(kSse2Lanes == 2 * Sse2::kWidth);
    CompressLanes<Sse2, 2>(states, blocks, count);
}

void CompressSse2Narrow(Md5LaneStates& states, const std::uint8_t* const* blocks,
                        std::size_t count) {
    static_assert(kSse2NarrowLanes == Sse2::kWidth);
    CompressLanes<Sse2, 1>(states, blocks, count);
}

} // namespace sumwarden::md5lanes
