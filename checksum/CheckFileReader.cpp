#include "checksum/CheckFileReader.h"

#include "checksum/CheckFileFormat.h"
#include "platform/Files.h"
#include "platform/IoError.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

namespace sumwarden {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr char kEndOfText = 26;
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

bool IsSpecial(char byte) {
    return byte == '\n' || byte == '\r' || byte == kEndOfText;
}

} // namespace

CheckFileReader::CheckFileReader(ByteSource source)
    : source_(std::move(source)), block_(kBlockSize, '\0') {}

CheckFileReader CheckFileReader::ForFile(const std::string& path) {
    auto file = std::make_shared<FileDescriptor>(OpenForReading(path));
    AdviseSequential(file->Get());
    return CheckFileReader([file](char* buffer, std::size_t size) {
        const long count = ReadRetrying(file->Get(), buffer, size);
        if (count < 0) {
            ThrowLastIoError();
        }
        return static_cast<std::size_t>(count);
    });
}

bool CheckFileReader::Refill() {
    if (ended_) {
        return false;
    }
    position_ = 0;
    filled_ = source_(block_.data(), block_.size());
    if (filled_ == 0) {
        ended_ = true;
    }
    return filled_ > 0;
}

bool CheckFileReader::NextLine(std::string& line) {
    for (;;) {
        bool overlong = false;
        if (!ReadLine(line, overlong)) {
            return false;
        }
        if (std::exchange(firstLine_, false) && line.starts_with(kByteOrderMark)) {
            line.erase(0, kByteOrderMark.size());
        }
        if (!overlong) {
            return true;
        }
    }
}

bool CheckFileReader::ReadLine(std::string& line, bool& overlong) {
    line.clear();
    bool anyByte = false;
    for (;;) {
        if (position_ == filled_ && !Refill()) {
            return anyByte;
        }
        anyByte = true;
        const char* data = block_.data();
        std::size_t end = position_;
        while (end < filled_ && !IsSpecial(data[end])) {
            ++end;
        }
        const std::size_t room = kMaxCheckFileLineLength - line.size();
        if (end - position_ > room) {
            overlong = true;
        }
        line.append(data + position_, std::min(end - position_, room));
        position_ = end;
        if (position_ == filled_) {
            continue;
        }
        const char special = data[position_++];
        if (special == '\n') {
            return true;
        }
        if (special == kEndOfText) {
            ended_ = true;
            filled_ = position_;
            return true;
        }
    }
}

} // namespace sumwarden
