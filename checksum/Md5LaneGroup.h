#pragma once

// Several messages hashed side by side through a lane kernel. Each lane is fed its message
// piece by piece; the full blocks wait until Compress runs every lane that has some
// through the kernel together. When only a few lanes have work, a narrower back end runs
// them, or the scalar code one by one: a mostly idle vector is slower.

#include "checksum/Md5.h"
#include "checksum/Md5Lanes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sumwarden {

class Md5LaneGroup {
public:
    enum class Narrower { Allowed, Never };

    // Narrower::Never keeps to the kernel (or the scalar code), for tests of one back end.
    explicit Md5LaneGroup(const Md5LaneKernel& kernel = ChosenMd5LaneKernel(),
                          Narrower narrower = Narrower::Allowed);

    std::size_t LaneCount() const { return kernel_.lanes; }

    // Begins a new message in the lane.
    void Start(std::size_t lane);
    // Adds the next piece of the lane's message. Its full blocks are read in place: the
    // bytes must stay unchanged until HasPendingBlocks(lane) is false, which it must be on
    // entry.
    void Feed(std::size_t lane, const void* data, std::size_t length);
    bool HasPendingBlocks(std::size_t lane) const { return lanes_[lane].pendingBlocks > 0; }
    // Compresses the pending blocks of every lane in step, until at least one lane that had
    // blocks has none left.
    void Compress();
    // Compresses what the lane still has pending, pads, and gives the message's digest.
    TDigest Finish(std::size_t lane);

private:
    struct Lane {
        const std::uint8_t* pending = nullptr;
        std::size_t pendingBlocks = 0;
        std::uint64_t length = 0;
        std::uint8_t buffer[64] = {};
    };

    void CompressAlone(std::size_t lane, const std::uint8_t* blocks, std::size_t count);
    const Md5LaneKernel* FastestFor(std::size_t busy) const;

    const Md5LaneKernel& kernel_;
    std::vector<const Md5LaneKernel*> candidates_; // vector back ends, widest first
    Md5LaneStates states_{};
    std::array<Lane, kMaxMd5Lanes> lanes_{};
};

} // namespace sumwarden
