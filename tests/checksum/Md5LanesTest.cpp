#include "checksum/FileDigest.h"
#include "checksum/Md5LaneGroup.h"
#include "tests/checksum/DigestTestData.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace sumwarden {
namespace {

using testing::MemoryDigestHex;
using testing::RandomBytes;

constexpr const char* kAllPaths[] = {"avx512", "avx2", "sse2", "scalar"};

// Hashes every message through the lanes, starting each in the next free lane and feeding
// it in pieces of the given sizes, so lanes run side by side, finish at different times
// and take up new messages.
std::vector<std::string> DigestsThroughLanes(Md5LaneGroup& group,
                                             const std::vector<std::string>& messages,
                                             const std::vector<std::size_t>& pieceSizes) {
    struct Slot {
        std::size_t message = 0;
        std::size_t offset = 0;
        std::size_t pieces = 0;
        bool busy = false;
    };
    std::vector<Slot> slots(group.LaneCount());
    std::vector<std::string> digests(messages.size());
    std::size_t next = 0;
    std::size_t done = 0;
    while (done < messages.size()) {
        for (std::size_t lane = 0; lane < slots.size(); ++lane) {
            Slot& slot = slots[lane];
            if (!slot.busy && next < messages.size()) {
                slot = {next++, 0, lane, true};
                group.Start(lane);
            }
            if (!slot.busy || group.HasPendingBlocks(lane)) {
                continue;
            }
            const std::string& message = messages[slot.message];
            if (slot.offset == message.size()) {
                digests[slot.message] = DigestToHex(group.Finish(lane));
                slot.busy = false;
                ++done;
                continue;
            }
            const std::size_t size = std::min(pieceSizes[slot.pieces++ % pieceSizes.size()],
                                              message.size() - slot.offset);
            group.Feed(lane, message.data() + slot.offset, size);
            slot.offset += size;
        }
        group.Compress();
    }
    return digests;
}

class Md5LanePath : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        kernel_ = FindMd5LaneKernel(GetParam());
        if (kernel_ == nullptr) {
            GTEST_SKIP() << "the " << GetParam()
                         << " path is not built or this processor cannot run it";
        }
    }

    const Md5LaneKernel* kernel_ = nullptr;
};

TEST_P(Md5LanePath, MatchesTheReferenceTestSuiteInEveryLane) {
    Md5LaneGroup group(*kernel_, Md5LaneGroup::Narrower::Never);
    const std::vector<std::string> messages = {
        "",
        "a",
        "abc",
        "message digest",
        "abcdefghijklmnopqrstuvwxyz",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
        "1234567890123456789012345678901234567890"
        "1234567890123456789012345678901234567890"};
    const std::vector<std::string> expected = {
        "d41d8cd98f00b204e9800998ecf8427e", "0cc175b9c0f1b6a831c399e269772661",
        "900150983cd24fb0d6963f7d28e17f72", "f96b697d7cb7938d525a2f31aaf161d0",
        "c3fcd3d76192e4007dfb496cca67e13b", "d174ab98d277d9f5a5611c2c9f419d9f",
        "57edf4a22be3c955ac49da2e2107b67a"};
    // Repeated so that every lane of the widest back end gets every vector.
    std::vector<std::string> repeated;
    std::vector<std::string> repeatedExpected;
    for (std::size_t round = 0; round < kMaxMd5Lanes + 1; ++round) {
        repeated.insert(repeated.end(), messages.begin(), messages.end());
        repeatedExpected.insert(repeatedExpected.end(), expected.begin(), expected.end());
    }
    EXPECT_EQ(DigestsThroughLanes(group, repeated, {1000}), repeatedExpected);
}

TEST_P(Md5LanePath, AgreesWithTheScalarCodeAroundBlockAndPaddingBoundaries) {
    std::mt19937 random(1321);
    std::vector<std::string> messages;
    for (std::size_t length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 4095u,
                               4096u, 4097u, 65536u + 13u, 1000000u}) {
        messages.push_back(RandomBytes(length, random));
    }
    for (int i = 0; i < 40; ++i) {
        messages.push_back(RandomBytes(random() % 9000, random));
    }
    std::vector<std::string> expected;
    for (const std::string& message : messages) {
        expected.push_back(MemoryDigestHex(message));
    }
    Md5LaneGroup group(*kernel_, Md5LaneGroup::Narrower::Never);
    EXPECT_EQ(DigestsThroughLanes(group, messages, {1u << 20}), expected) << "whole messages";
    EXPECT_EQ(DigestsThroughLanes(group, messages, {64, 4096, 128}), expected) << "whole blocks";
    EXPECT_EQ(DigestsThroughLanes(group, messages, {1, 63, 65, 7, 200, 3000}), expected)
        << "odd pieces";
    // As the lanes empty, narrower back ends take over the busy ones.
    Md5LaneGroup mixed(*kernel_);
    EXPECT_EQ(DigestsThroughLanes(mixed, messages, {4096, 64, 100000}), expected) << "mixed";
}

TEST_P(Md5LanePath, KeepsEveryLaneApartInEveryKernelOfThePath) {
    for (const Md5LaneKernel& kernel : BuiltMd5LaneKernels()) {
        if (kernel.name != GetParam() || !kernel.runsHere()) {
            continue;
        }
        std::mt19937 random(7);
        const std::size_t lanes = kernel.lanes;
        const std::string data = RandomBytes(lanes * 5 * 64, random);
        Md5LaneStates states{};
        std::vector<std::array<std::uint32_t, 4>> expected(lanes);
        const std::uint8_t* blocks[kMaxMd5Lanes];
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            for (int r = 0; r < 4; ++r) {
                states.word[r][lane] = static_cast<std::uint32_t>(random());
                expected[lane][r] = states.word[r][lane];
            }
            blocks[lane] = reinterpret_cast<const std::uint8_t*>(data.data()) + lane * 5 * 64;
            Md5CompressBlocks(expected[lane].data(), blocks[lane], 5);
        }
        kernel.compress(states, blocks, 5);
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            for (int r = 0; r < 4; ++r) {
                EXPECT_EQ(states.word[r][lane], expected[lane][r])
                    << lanes << " lanes: lane " << lane << " word " << r;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, Md5LanePath, ::testing::ValuesIn(kAllPaths),
                         [](const auto& info) { return std::string(info.param); });

TEST(Md5LaneChoice, TakesTheRequestedPathOnlyWhenThisProcessorRunsIt) {
    const std::vector<const Md5LaneKernel*> runnable = RunnableMd5LaneKernels();
    ASSERT_FALSE(runnable.empty());
    EXPECT_EQ(runnable.back()->name, "scalar");
    EXPECT_EQ(&ChooseMd5LaneKernel("scalar"), FindMd5LaneKernel("scalar"));
    EXPECT_EQ(FindMd5LaneKernel("no such path"), nullptr);
    const Md5LaneKernel& fallback = ChooseMd5LaneKernel("no such path");
    EXPECT_TRUE(fallback.runsHere());
    // A path is asked for by name and runs its widest kernel.
    std::string_view previousPath;
    for (const Md5LaneKernel& kernel : BuiltMd5LaneKernels()) {
        EXPECT_LE(kernel.lanes, kMaxMd5Lanes);
        if (kernel.name != previousPath && kernel.runsHere()) {
            EXPECT_EQ(&ChooseMd5LaneKernel(kernel.name), &kernel) << kernel.name;
        }
        previousPath = kernel.name;
    }
}

} // namespace
} // namespace sumwarden
