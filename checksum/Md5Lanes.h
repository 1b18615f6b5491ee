#pragma once

// Multi-buffer MD5: the compression function run over several independent messages at
// once, one SIMD lane per message. Each back end lives in a file of its own and is reached
// through one Md5LaneKernel; the choice among them is made once, at run time, from what
// the processor offers.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace sumwarden {

inline constexpr std::size_t kMaxMd5Lanes = 32;

// Chaining values of every lane: word[0] holds A of lane 0, 1, ..., word[1] B, and so on.
struct Md5LaneStates {
    alignas(64) std::uint32_t word[4][kMaxMd5Lanes];
};

struct Md5LaneKernel {
    std::string_view name; // the path: "avx512", "avx2", "sse2" or "scalar"
    std::size_t lanes;
    // Throughput with every lane busy, relative to the scalar code (measured on a
    // processor with AVX-512); picks the back end for a group whose lanes are partly idle.
    double fullSpeed;
    // Compresses count consecutive 64-byte blocks starting at blocks[lane] into the state
    // of each of the first `lanes` lanes.
    void (*compress)(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count);
    bool (*runsHere)();
};

// Every back end this build holds: each path's kernels, widest first, the paths from the
// newest instruction set down; the scalar one is always last.
std::span<const Md5LaneKernel> BuiltMd5LaneKernels();

// The back ends this processor can run, widest first.
std::vector<const Md5LaneKernel*> RunnableMd5LaneKernels();

// The widest kernel of the path named, when built and runnable here; else nullptr.
const Md5LaneKernel* FindMd5LaneKernel(std::string_view name);

// The back end named by the request, else the one the build was told to force, else the
// widest this processor runs. A name that is not built or not runnable here is passed over.
const Md5LaneKernel& ChooseMd5LaneKernel(std::string_view requested);

// The back end every digest uses, chosen once by ChooseMd5LaneKernel with the value of
// the environment variable SUMWARDEN_MD5_PATH.
const Md5LaneKernel& ChosenMd5LaneKernel();

inline constexpr std::string_view kMd5PathVariable = "SUMWARDEN_MD5_PATH";

} // namespace sumwarden
