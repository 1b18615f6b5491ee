#pragma once

// Entry points of the SIMD back ends, each defined in its own file and built for its own
// instruction set; only the choice in Md5Lanes.cpp calls them, after asking the processor.

#include "checksum/Md5Lanes.h"

namespace sumwarden::md5lanes {

// Two interleaved groups of vectors per back end.
inline constexpr std::size_t kSse2Lanes = 8;
inline constexpr std::size_t kAvx2Lanes = 16;
inline constexpr std::size_t kAvx512Lanes = 32;

void CompressSse2(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count);
void CompressAvx2(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count);
void CompressAvx512(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count);

} // namespace sumwarden::md5lanes
