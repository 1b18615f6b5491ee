// Compares the throughput of DigestUpdate with OpenSSL's MD5 on the same 1 GiB buffer, and
// prints the throughput of every multi-buffer kernel this processor runs, all lanes busy
// with 1 GiB between them, read from cached pieces as the pipeline gives them.
// Times are this thread's processor time, which other load on the machine hardly changes.
// With --path it prints only the name of the path the digests take.

#include "checksum/Md5.h"
#include "checksum/Md5LaneGroup.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <openssl/evp.h>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 30;
constexpr int kRounds = 3;
// What the pipeline reads for a lane at a time.
constexpr std::size_t kLanePiece = std::size_t{64} << 10;

double ThreadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double TimeOwnDigest(const std::uint8_t* data, std::uint8_t& sink) {
    const double start = ThreadSeconds();
    sumwarden::TDigestContext context;
    sumwarden::DigestInit(context);
    sumwarden::DigestUpdate(context, data, static_cast<std::uint32_t>(kBufferSize));
    sumwarden::TDigest digest;
    sumwarden::DigestFinal(context, digest);
    sink ^= digest[0];
    return ThreadSeconds() - start;
}

double TimeOpenSslDigest(const std::uint8_t* data, std::uint8_t& sink) {
    const double start = ThreadSeconds();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data, kBufferSize, digest, &length, EVP_md5(), nullptr);
    sink ^= digest[0];
    return ThreadSeconds() - start;
}

// Every lane hashes 1 GiB / lanes bytes, fed piece by piece from its own slice of the
// buffer, as the pipeline feeds each lane from a read buffer that stays in the cache.
double TimeLanes(const sumwarden::Md5LaneKernel& kernel, const std::uint8_t* data,
                 std::uint8_t& sink) {
    const double start = ThreadSeconds();
    sumwarden::Md5LaneGroup group(kernel);
    const std::size_t lanes = group.LaneCount();
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        group.Start(lane);
    }
    for (std::size_t done = 0; done < kBufferSize / lanes; done += kLanePiece) {
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            group.Feed(lane, data + lane * kLanePiece, kLanePiece);
        }
        group.Compress();
    }
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        sink ^= group.Finish(lane)[0];
    }
    return ThreadSeconds() - start;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--path") {
        std::printf("%s\n", std::string(sumwarden::ChosenMd5LaneKernel().name).c_str());
        return 0;
    }
    auto buffer = std::make_unique<std::uint8_t[]>(kBufferSize);
    std::mt19937_64 random(1321);
    for (std::size_t i = 0; i < kBufferSize; i += 8) {
        const std::uint64_t value = random();
        for (int k = 0; k < 8; ++k) {
            buffer[i + k] = static_cast<std::uint8_t>(value >> (8 * k));
        }
    }

    // Best of several alternating rounds, so both see the same machine load.
    double ownBest = 1e9;
    double openSslBest = 1e9;
    std::uint8_t sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        ownBest = std::min(ownBest, TimeOwnDigest(buffer.get(), sink));
        openSslBest = std::min(openSslBest, TimeOpenSslDigest(buffer.get(), sink));
    }
    const double mebibytes = static_cast<double>(kBufferSize) / (1 << 20);
    std::printf("DigestUpdate: %8.1f MiB/s\n", mebibytes / ownBest);
    std::printf("OpenSSL MD5:  %8.1f MiB/s\n", mebibytes / openSslBest);
    std::printf("ratio (DigestUpdate / OpenSSL throughput): %.3f\n", openSslBest / ownBest);
    for (const sumwarden::Md5LaneKernel* kernel : sumwarden::RunnableMd5LaneKernels()) {
        double best = 1e9;
        for (int round = 0; round < kRounds; ++round) {
            best = std::min(best, TimeLanes(*kernel, buffer.get(), sink));
        }
        std::printf("%-6s %2zu lanes: %8.1f MiB/s, %.2f x OpenSSL\n",
                    std::string(kernel->name).c_str(), kernel->lanes, mebibytes / best,
                    openSslBest / best);
    }
    return sink == 0xff ? 1 : 0;
}
