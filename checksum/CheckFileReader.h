#pragma once

// Reads a check file line by line: LF or CR LF end a line, any other CR is dropped, code 26
// ends the text, a UTF-8 byte-order mark before the first line is skipped. Lines hold any
// bytes; a line longer than any entry can be is malformed and skipped whole, read in
// bounded pieces, so no input takes memory without bound.

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
    // Like NextLine, but an overlong line comes back cut short, with overlong set.
    bool ReadLine(std::string& line, bool& overlong);

    ByteSource source_;
    std::string block_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
    bool firstLine_ = true;
};

} // namespace sumwarden
