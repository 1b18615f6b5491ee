#include "checksum/Md5LaneGroup.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sumwarden {
namespace {

constexpr std::uint32_t kInitialState[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

} // namespace

Md5LaneGroup::Md5LaneGroup(const Md5LaneKernel& kernel, Narrower narrower) : kernel_(kernel) {
    if (narrower == Narrower::Never) {
        candidates_.push_back(&kernel);
        return;
    }
    // The kernel's narrower siblings and the older paths' kernels.
    bool reached = false;
    for (const Md5LaneKernel& candidate : BuiltMd5LaneKernels()) {
        reached = reached || &candidate == &kernel;
        if (reached && candidate.lanes <= kernel.lanes && candidate.runsHere()) {
            candidates_.push_back(&candidate);
        }
    }
}

void Md5LaneGroup::Start(std::size_t lane) {
    lanes_[lane] = Lane{};
    for (int r = 0; r < 4; ++r) {
        states_.word[r][lane] = kInitialState[r];
    }
}

void Md5LaneGroup::Feed(std::size_t lane, const void* data, std::size_t length) {
    Lane& state = lanes_[lane];
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::size_t waiting = state.length % 64;
    state.length += length;
    if (waiting > 0) {
        const std::size_t taken = std::min(64 - waiting, length);
        std::memcpy(state.buffer + waiting, bytes, taken);
        if (waiting + taken < 64) {
            return;
        }
        CompressAlone(lane, state.buffer, 1);
        bytes += taken;
        length -= taken;
    }
    state.pending = bytes;
    state.pendingBlocks = length / 64;
    std::memcpy(state.buffer, bytes + 64 * state.pendingBlocks, length % 64);
}

void Md5LaneGroup::Compress() {
    std::size_t busyLanes[kMaxMd5Lanes];
    std::size_t busy = 0;
    std::size_t step = std::numeric_limits<std::size_t>::max();
    for (std::size_t lane = 0; lane < kernel_.lanes; ++lane) {
        if (lanes_[lane].pendingBlocks > 0) {
            busyLanes[busy++] = lane;
            step = std::min(step, lanes_[lane].pendingBlocks);
        }
    }
    if (busy == 0) {
        return;
    }
    const Md5LaneKernel* kernel = FastestFor(busy);
    if (kernel == nullptr) {
        for (std::size_t i = 0; i < busy; ++i) {
            Lane& state = lanes_[busyLanes[i]];
            CompressAlone(busyLanes[i], state.pending, state.pendingBlocks);
            state.pendingBlocks = 0;
        }
        return;
    }
    // The busy lanes go to the kernel's first lanes; spare kernel lanes repeat the first
    // busy one, and their results are dropped.
    Md5LaneStates packed;
    const std::uint8_t* blocks[kMaxMd5Lanes];
    for (std::size_t i = 0; i < kernel->lanes; ++i) {
        const std::size_t lane = busyLanes[i < busy ? i : 0];
        for (int r = 0; r < 4; ++r) {
            packed.word[r][i] = states_.word[r][lane];
        }
        blocks[i] = lanes_[lane].pending;
    }
    kernel->compress(packed, blocks, step);
    for (std::size_t i = 0; i < busy; ++i) {
        Lane& state = lanes_[busyLanes[i]];
        for (int r = 0; r < 4; ++r) {
            states_.word[r][busyLanes[i]] = packed.word[r][i];
        }
        state.pending += 64 * step;
        state.pendingBlocks -= step;
    }
}

// The back end with the most throughput for this many busy lanes, among those wide
// enough for all of them; nullptr when the scalar code beats them all.
const Md5LaneKernel* Md5LaneGroup::FastestFor(std::size_t busy) const {
    const Md5LaneKernel* fastest = nullptr;
    double fastestSpeed = 1.0;
    for (const Md5LaneKernel* candidate : candidates_) {
        if (candidate->lanes < 2 || candidate->lanes < busy) {
            continue;
        }
        const double speed = candidate->fullSpeed * static_cast<double>(busy) /
                             static_cast<double>(candidate->lanes);
        if (speed > fastestSpeed) {
            fastest = candidate;
            fastestSpeed = speed;
        }
    }
    return fastest;
}

TDigest Md5LaneGroup::Finish(std::size_t lane) {
    Lane& state = lanes_[lane];
    CompressAlone(lane, state.pending, state.pendingBlocks);
    state.pendingBlocks = 0;
    TDigestContext context;
    for (int r = 0; r < 4; ++r) {
        context.State[r] = states_.word[r][lane];
    }
    const std::uint64_t bits = state.length * 8;
    context.BitCount[0] = static_cast<std::uint32_t>(bits);
    context.BitCount[1] = static_cast<std::uint32_t>(bits >> 32);
    std::memcpy(context.Buffer, state.buffer, sizeof context.Buffer);
    TDigest digest;
    DigestFinal(context, digest);
    return digest;
}

void Md5LaneGroup::CompressAlone(std::size_t lane, const std::uint8_t* blocks, std::size_t count) {
    if (count == 0) {
        return;
    }
    std::uint32_t state[4];
    for (int r = 0; r < 4; ++r) {
        state[r] = states_.word[r][lane];
    }
    Md5CompressBlocks(state, blocks, count);
    for (int r = 0; r < 4; ++r) {
        states_.word[r][lane] = state[r];
    }
}

} // namespace sumwarden
