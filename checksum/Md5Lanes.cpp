#include "checksum/Md5Lanes.h"

#include "checksum/Md5.h"
#include "checksum/Md5LaneBackEnds.h"

#include <array>
#include <cstdlib>
#include <string>

namespace sumwarden {
namespace {

void CompressScalar(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count) {
    std::uint32_t state[4];
    for (int r = 0; r < 4; ++r) {
        state[r] = states.word[r][0];
    }
    Md5CompressBlocks(state, blocks[0], count);
    for (int r = 0; r < 4; ++r) {
        states.word[r][0] = state[r];
    }
}

bool Always() {
    return true;
}

#ifdef SUMWARDEN_MD5_SIMD
bool HasAvx512() {
    return __builtin_cpu_supports("avx512f");
}
bool HasAvx512Vl() {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
}
bool HasAvx2() {
    return __builtin_cpu_supports("avx2");
}
#endif

constexpr std::array kKernels = {
#ifdef SUMWARDEN_MD5_SIMD
    Md5LaneKernel{"avx512", md5lanes::kAvx512Lanes, 8.4, md5lanes::CompressAvx512, HasAvx512},
    Md5LaneKernel{"avx512", md5lanes::kAvx512NarrowLanes, 5.9, md5lanes::CompressAvx512Narrow,
                  HasAvx512Vl},
    Md5LaneKernel{"avx512", md5lanes::kAvx512NarrowestLanes, 2.8, md5lanes::CompressAvx512Narrowest,
                  HasAvx512Vl},
    Md5LaneKernel{"avx2", md5lanes::kAvx2Lanes, 6.7, md5lanes::CompressAvx2, HasAvx2},
    Md5LaneKernel{"avx2", md5lanes::kAvx2NarrowLanes, 5.4, md5lanes::CompressAvx2Narrow, HasAvx2},
    Md5LaneKernel{"sse2", md5lanes::kSse2Lanes, 4.6, md5lanes::CompressSse2, Always},
    Md5LaneKernel{"sse2", md5lanes::kSse2NarrowLanes, 2.8, md5lanes::CompressSse2Narrow, Always},
#endif
    Md5LaneKernel{"scalar", 1, 1.0, CompressScalar, Always},
};

#ifdef SUMWARDEN_MD5_FORCED_PATH
constexpr std::string_view kForcedPath = SUMWARDEN_MD5_FORCED_PATH;
#else
constexpr std::string_view kForcedPath;
#endif

} // namespace

std::span<const Md5LaneKernel> BuiltMd5LaneKernels() {
    return kKernels;
}

std::vector<const Md5LaneKernel*> RunnableMd5LaneKernels() {
    std::vector<const Md5LaneKernel*> runnable;
    for (const Md5LaneKernel& kernel : kKernels) {
        if (kernel.runsHere()) {
            runnable.push_back(&kernel);
        }
    }
    return runnable;
}

const Md5LaneKernel* FindMd5LaneKernel(std::string_view name) {
    for (const Md5LaneKernel& kernel : kKernels) {
        if (kernel.name == name && kernel.runsHere()) {
            return &kernel;
        }
    }
    return nullptr;
}

const Md5LaneKernel& ChooseMd5LaneKernel(std::string_view requested) {
    if (const Md5LaneKernel* kernel = FindMd5LaneKernel(requested)) {
        return *kernel;
    }
    if (const Md5LaneKernel* kernel = FindMd5LaneKernel(kForcedPath)) {
        return *kernel;
    }
    return *RunnableMd5LaneKernels().front();
}

const Md5LaneKernel& ChosenMd5LaneKernel() {
    static const Md5LaneKernel& chosen = []() -> const Md5LaneKernel& {
        const char* requested = std::getenv(std::string(kMd5PathVariable).c_str());
        return ChooseMd5LaneKernel(requested ? requested : "");
    }();
    return chosen;
}

} // namespace sumwarden
