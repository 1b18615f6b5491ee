#include "tests/checksum/DigestTestData.h"

#include "checksum/FileDigest.h"
#include "checksum/Md5.h"

namespace sumwarden::testing {

std::string MemoryDigestHex(const std::string& content) {
    TDigestContext context;
    DigestInit(context);
    DigestUpdate(context, content.data(), static_cast<std::uint32_t>(content.size()));
    TDigest digest;
    DigestFinal(context, digest);
    return DigestToHex(digest);
}

std::string RandomBytes(std::size_t length, std::mt19937& random) {
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

} // namespace sumwarden::testing
