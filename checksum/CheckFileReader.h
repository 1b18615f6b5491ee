#pragma once

// Reads a check file line by line: LF or CR LF end a line, any other CR is dropped, code 26
// ends the text. Lines may be of any length and hold any bytes.

#include <cstddef>
#include <functional>
#include <string>

namespace sumwarden {

class CheckFileReader {
public:
    // Fills the buffer with up to size bytes: the count, 0 at the end; throws IoError.
    using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

    explicit CheckFileReader(ByteSource source);
    // Opens the file; throws IoError.
    static CheckFileReader ForFile(const std::string& path);

    // The next line without its end; false when the text is exhausted. Throws IoError.
    bool NextLine(std::string& line);

private:
    bool Refill();

    ByteSource source_;
    std::string block_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
};

} // namespace sumwarden
