#pragma once

// Entry points of the SIMD back ends, each defined in its own file and built for its own
// instruction set; only the choice in Md5Lanes.cpp calls them, after asking the processor.

#include "checksum/Md5Lanes.h"

namespace sumwarden::md5lanes {

// Each back end comes wide (two interleaved groups of vectors, for throughput when many
// files are hashed) and narrow (one vector, for a few files, so fewer lanes idle).
inline constexpr std::size_t kSse2Lanes = 8;
inline constexpr std::size_t kSse2NarrowLanes = 4;
inline constexpr std::size_t kAvx2Lanes = 16;
inline constexpr std::size_t kAvx2NarrowLanes = 8;
inline constexpr std::size_t kAvx512Lanes = 32;
// 256- and 128-bit vectors with the AVX-512 rotate and three-input logic (AVX-512VL).
inline constexpr std::size_t kAvx512NarrowLanes = 8;
inline constexpr std::size_t kAvx512NarrowestLanes = 4;

using CompressFunction = void(Md5LaneStates& states, const std::uint8_t* const* blocks,
                              std::size_t count);

CompressFunction CompressSse2;
CompressFunction CompressSse2Narrow;
CompressFunction CompressAvx2;
CompressFunction CompressAvx2Narrow;
CompressFunction CompressAvx512;
CompressFunction CompressAvx512Narrow;
CompressFunction CompressAvx512Narrowest;

} // namespace sumwarden::md5lanes
