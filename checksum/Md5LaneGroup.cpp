#include "checksum/Md5LaneGroup.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sumwarden {
namespace {

constexpr std::uint32_t kInitialState[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

// Below this share of busy lanes the scalar code is faster than the vector (measured).
constexpr std::size_t kMinBusyShare = 4;

} // namespace

Md5LaneGroup::Md5LaneGroup(const Md5LaneKernel& kernel) : kernel_(kernel) {}

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
    const std::size_t laneCount = kernel_.lanes;
    std::size_t busy = 0;
    std::size_t step = std::numeric_limits<std::size_t>::max();
    const std::uint8_t* anyPending = nullptr;
    for (std::size_t lane = 0; lane < laneCount; ++lane) {
        if (lanes_[lane].pendingBlocks > 0) {
            ++busy;
            step = std::min(step, lanes_[lane].pendingBlocks);
            anyPending = lanes_[lane].pending;
        }
    }
    if (busy == 0) {
        return;
    }
    if (laneCount == 1 || busy * kMinBusyShare < laneCount) {
        for (std::size_t lane = 0; lane < laneCount; ++lane) {
            Lane& state = lanes_[lane];
            if (state.pendingBlocks > 0) {
                CompressAlone(lane, state.pending, state.pendingBlocks);
                state.pendingBlocks = 0;
            }
        }
        return;
    }
    // Idle lanes read the blocks of a busy one and get their own chaining values back.
    const std::uint8_t* blocks[kMaxMd5Lanes];
    Md5LaneStates saved = states_;
    for (std::size_t lane = 0; lane < laneCount; ++lane) {
        blocks[lane] = lanes_[lane].pendingBlocks > 0 ? lanes_[lane].pending : anyPending;
    }
    kernel_.compress(states_, blocks, step);
    for (std::size_t lane = 0; lane < laneCount; ++lane) {
        Lane& state = lanes_[lane];
        if (state.pendingBlocks > 0) {
            state.pending += 64 * step;
            state.pendingBlocks -= step;
        } else {
            for (int r = 0; r < 4; ++r) {
                states_.word[r][lane] = saved.word[r][lane];
            }
        }
    }
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
