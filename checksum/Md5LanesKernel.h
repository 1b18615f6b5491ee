#pragma once

// The MD5 compression function written once for any SIMD width. A back end supplies a
// vector type of kWidth 32-bit words and its operations; CompressLanes runs the 64 steps
// over G interleaved groups of vectors, so that the latency of one group's dependency
// chain hides behind the others'. Included only by the back-end files, each compiled for
// its own instruction set; everything here has internal linkage so no copy built for one
// instruction set can be picked for another.

#include "checksum/Md5Lanes.h"

#include <cstring>
#include <utility>

namespace sumwarden::md5lanes {
namespace {

struct StepShape {
    std::uint32_t constant;
    int shift;
    int word;
};

constexpr std::uint32_t kConstants[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr int kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// Every step's constant repeated across a vector, so a step adds it straight from memory
// instead of building it in a register first.
template <int kWidth>
struct ConstantRows {
    alignas(64) std::uint32_t row[64][kWidth];
};

template <int kWidth>
constexpr ConstantRows<kWidth> MakeConstantRows() {
    ConstantRows<kWidth> rows{};
    for (int step = 0; step < 64; ++step) {
        for (int lane = 0; lane < kWidth; ++lane) {
            rows.row[step][lane] = kConstants[step];
        }
    }
    return rows;
}

template <int kWidth>
constexpr ConstantRows<kWidth> kConstantRows = MakeConstantRows<kWidth>();

constexpr StepShape ShapeOf(int step) {
    const int round = step / 16;
    const int i = step % 16;
    const int words[4] = {i, (1 + 5 * i) % 16, (5 + 3 * i) % 16, (7 * i) % 16};
    return {kConstants[step], kShifts[round][i % 4], words[round]};
}

// One step on every group: a := b + rotl(a + f(b, c, d) + word + constant, shift). The
// roles of the four chaining values turn by one each step.
template <class Ops, int G, int Step>
inline void RunStep(typename Ops::Vector (&s)[4][G], const std::uint32_t* words,
                    const std::uint32_t* constants) {
    constexpr StepShape shape = ShapeOf(Step);
    constexpr int a = (4 - Step % 4) % 4;
    constexpr int b = (a + 1) % 4;
    constexpr int c = (a + 2) % 4;
    constexpr int d = (a + 3) % 4;
    constexpr int kLanes = Ops::kWidth * G;
    const typename Ops::Vector constant = Ops::Load(constants + Step * Ops::kWidth);
    for (int g = 0; g < G; ++g) {
        typename Ops::Vector sum = Ops::Add(
            Ops::Add(s[a][g], constant), Ops::Load(words + shape.word * kLanes + g * Ops::kWidth));
        if constexpr (Step < 16) {
            sum = Ops::Add(sum, Ops::F(s[b][g], s[c][g], s[d][g]));
        } else if constexpr (Step < 32) {
            if constexpr (requires { Ops::AddG(sum, s[b][g], s[c][g], s[d][g]); }) {
                sum = Ops::AddG(sum, s[b][g], s[c][g], s[d][g]);
            } else {
                sum = Ops::Add(sum, Ops::G(s[b][g], s[c][g], s[d][g]));
            }
        } else if constexpr (Step < 48) {
            sum = Ops::Add(sum, Ops::H(s[b][g], s[c][g], s[d][g]));
        } else {
            sum = Ops::Add(sum, Ops::I(s[b][g], s[c][g], s[d][g]));
        }
        s[a][g] = Ops::Add(Ops::template Rotl<shape.shift>(sum), s[b][g]);
    }
}

template <class Ops, int G, int... Steps>
inline void RunSteps(typename Ops::Vector (&s)[4][G], const std::uint32_t* words,
                     const std::uint32_t* constants, std::integer_sequence<int, Steps...>) {
    (RunStep<Ops, G, Steps>(s, words, constants), ...);
}

// Gathers word i of every lane's block into row i, so one vector load takes a word of
// each message. A back end that can transpose a vector's worth of lanes at once supplies
// TransposeWords(row0, rowStride, blocks, offset); the others take each word on its own.
template <class Ops, int kLanes>
inline void GatherWords(std::uint32_t (&words)[16][kLanes], const std::uint8_t* const* blocks,
                        std::size_t offset) {
    if constexpr (requires { Ops::TransposeWords(&words[0][0], kLanes, blocks, offset); }) {
        for (int first = 0; first < kLanes; first += Ops::kWidth) {
            Ops::TransposeWords(&words[0][first], kLanes, blocks + first, offset);
        }
    } else {
        for (int lane = 0; lane < kLanes; ++lane) {
            const std::uint8_t* block = blocks[lane] + offset;
            for (int i = 0; i < 16; ++i) {
                std::memcpy(&words[i][lane], block + 4 * i, 4);
            }
        }
    }
}

template <class Ops, int G>
void CompressLanes(Md5LaneStates& states, const std::uint8_t* const* blocks, std::size_t count) {
    using Vector = typename Ops::Vector;
    constexpr int kLanes = Ops::kWidth * G;
    static_assert(kLanes <= static_cast<int>(kMaxMd5Lanes));
    alignas(64) std::uint32_t words[16][kLanes];
    // Hidden from the optimiser, which would otherwise build each constant from an
    // immediate again: two instructions more per step than adding it from memory.
    const std::uint32_t* constants = &kConstantRows<Ops::kWidth>.row[0][0];
    asm("" : "+r"(constants));
    Vector s[4][G];
    for (int r = 0; r < 4; ++r) {
        for (int g = 0; g < G; ++g) {
            s[r][g] = Ops::Load(&states.word[r][g * Ops::kWidth]);
        }
    }
    for (std::size_t block = 0; block < count; ++block) {
        GatherWords<Ops, kLanes>(words, blocks, 64 * block);
        Vector old[4][G];
        std::memcpy(old, s, sizeof s);
        RunSteps<Ops, G>(s, &words[0][0], constants, std::make_integer_sequence<int, 64>{});
        for (int r = 0; r < 4; ++r) {
            for (int g = 0; g < G; ++g) {
                s[r][g] = Ops::Add(s[r][g], old[r][g]);
            }
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int g = 0; g < G; ++g) {
            Ops::Store(&states.word[r][g * Ops::kWidth], s[r][g]);
        }
    }
}

} // namespace
} // namespace sumwarden::md5lanes
