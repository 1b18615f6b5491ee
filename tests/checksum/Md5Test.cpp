#include "checksum/Md5.h"

#include "checksum/FileDigest.h"

#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

namespace sumwarden {
namespace {

std::string DigestOfParts(const std::vector<std::string_view>& parts) {
    TDigestContext context;
    DigestInit(context);
    for (std::string_view part : parts) {
        DigestUpdate(context, part.data(), static_cast<std::uint32_t>(part.size()));
    }
    TDigest digest;
    DigestFinal(context, digest);
    return DigestToHex(digest);
}

std::string DigestOf(std::string_view message) {
    return DigestOfParts({message});
}

std::string Pattern(std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>((i * 131 + 7) % 251);
    }
    return text;
}

TEST(Md5, MatchesTheReferenceTestSuite) {
    EXPECT_EQ(DigestOf(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(DigestOf("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(DigestOf("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(DigestOf("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(DigestOf("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(DigestOf("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(DigestOf("1234567890123456789012345678901234567890"
                       "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PadsCorrectlyAroundBlockBoundaries) {
    EXPECT_EQ(DigestOf(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(DigestOf(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(DigestOf(std::string(63, 'a')), "b06521f39153d618550606be297466d5");
    EXPECT_EQ(DigestOf(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
    EXPECT_EQ(DigestOf(std::string(65, 'a')), "c743a45e0d2e6a95cb859adae0248435");
    EXPECT_EQ(DigestOf(std::string(127, 'a')), "020406e1d05cdc2aa287641f7ae2cc39");
    EXPECT_EQ(DigestOf(std::string(128, 'a')), "e510683b3f5ffe4093d021808bc6ff70");
    EXPECT_EQ(DigestOf(std::string(129, 'a')), "b325dc1c6f5e7a2b7cf465b9feab7948");
}

TEST(Md5, GivesTheSameDigestHoweverTheMessageIsSplit) {
    const std::string message = Pattern(300);
    const std::string_view view = message;
    const std::string whole = DigestOf(message);
    for (std::size_t first = 0; first <= message.size(); ++first) {
        ASSERT_EQ(DigestOfParts({view.substr(0, first), "", view.substr(first)}), whole) << first;
    }
    for (std::size_t chunk : {1u, 3u, 63u, 64u, 65u, 127u}) {
        std::vector<std::string_view> parts;
        for (std::size_t at = 0; at < message.size(); at += chunk) {
            parts.push_back(view.substr(at, chunk));
        }
        EXPECT_EQ(DigestOfParts(parts), whole) << chunk;
    }
}

TEST(Md5, CountsBitsInTwoWordsWithCarry) {
    TDigestContext context;
    DigestInit(context);
    DigestUpdate(context, "abc", 3);
    EXPECT_EQ(context.BitCount[0], 24u);
    EXPECT_EQ(context.BitCount[1], 0u);
    context.BitCount[0] = 0xfffffff8u;
    DigestUpdate(context, "x", 1);
    EXPECT_EQ(context.BitCount[0], 0u);
    EXPECT_EQ(context.BitCount[1], 1u);
}

TEST(Md5, WipesTheContextWhenFinished) {
    TDigestContext context;
    DigestInit(context);
    DigestUpdate(context, "secret message", 14);
    TDigest digest;
    DigestFinal(context, digest);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&context);
    EXPECT_EQ(std::accumulate(bytes, bytes + sizeof context, 0), 0);
}

TEST(DigestToHex, WritesTwoLowerCaseDigitsPerByte) {
    TDigest digest{};
    digest[0] = 0x0a;
    digest[1] = 0xff;
    digest[15] = 0xb0;
    EXPECT_EQ(DigestToHex(digest), "0aff" + std::string(26, '0') + "b0");
}

} // namespace
} // namespace sumwarden
