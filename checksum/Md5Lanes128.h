#pragma once

// What the back ends whose vectors hold four lanes in 128 bits (SSE2, and AVX-512VL)
// share: loading, storing and adding vectors. Internal linkage keeps each build's copy its
// own, since the files that include it are built for different instruction sets.

#include <cstdint>
#include <emmintrin.h>

namespace sumwarden::md5lanes {
namespace {

struct Lanes128 {
    using Vector = __m128i;
    static constexpr int kWidth = 4;

    static Vector Load(const std::uint32_t* words) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(words));
    }
    static void Store(std::uint32_t* words, Vector v) {
        _mm_store_si128(reinterpret_cast<__m128i*>(words), v);
    }
    static Vector Add(Vector x, Vector y) { return _mm_add_epi32(x, y); }
};

} // namespace
} // namespace sumwarden::md5lanes
