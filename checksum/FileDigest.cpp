#include "checksum/FileDigest.h"

#include "platform/Files.h"

#include <memory>

namespace sumwarden {
namespace {

// Large enough that the cost per read vanishes, small enough that the block stays in the
// second-level cache between the kernel's copy and the hash (measured faster than 1 MiB).
constexpr std::size_t kReadBlockSize = 256 * 1024;

TDigest EmptyInputDigest() {
    TDigestContext context;
    DigestInit(context);
    TDigest digest;
    DigestFinal(context, digest);
    return digest;
}

} // namespace

std::optional<TDigest> TryFileDigest(const std::string& path) {
    std::optional<FileDescriptor> file = OpenFileForDigest(path);
    if (!file) {
        return std::nullopt;
    }
    AdviseSequential(file->Get());
    return TryDescriptorDigest(file->Get());
}

std::optional<TDigest> TryDescriptorDigest(int descriptor) {
    const std::optional<OpenedFileDigest> read = TryOpenedFileDigest(descriptor, kUnknownSize);
    return read ? std::optional(read->digest) : std::nullopt;
}

std::optional<OpenedFileDigest> TryOpenedFileDigest(int descriptor, std::uint64_t sizeWhenOpened,
                                                    JobControl* control) {
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(kReadBlockSize);
    TDigestContext context;
    DigestInit(context);
    OpenedFileDigest result;
    for (;;) {
        if (control != nullptr && control->StopRequested()) {
            return std::nullopt;
        }
        const long count = ReadRetrying(descriptor, block.get(), kReadBlockSize);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        if (control != nullptr) {
            control->BytesRead(static_cast<std::uint64_t>(count));
        }
        DigestUpdate(context, block.get(), static_cast<std::uint32_t>(count));
        result.bytes += static_cast<std::uint64_t>(count);
        if (ReadReachedEnd(kReadBlockSize, static_cast<std::size_t>(count), result.bytes,
                           sizeWhenOpened)) {
            break;
        }
    }
    DigestFinal(context, result.digest);
    return result;
}

TDigest FileDigest(const std::string& path) {
    return TryFileDigest(path).value_or(EmptyInputDigest());
}

std::string DigestToHex(const TDigest& digest) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * digest.size());
    for (const std::uint8_t byte : digest) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 15];
    }
    return text;
}

std::string FileDigestHex(const std::string& path) {
    return DigestToHex(FileDigest(path));
}

} // namespace sumwarden
