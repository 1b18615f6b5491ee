#pragma once

// A list of paths that keeps its first entries in memory and the rest in an anonymous
// temporary file, so a list of any length takes the same memory.

#include "platform/FileDescriptor.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sumwarden {

class PathList {
public:
    static constexpr std::size_t kDefaultInMemory = 1024;

    explicit PathList(std::size_t inMemory = kDefaultInMemory) : inMemory_(inMemory) {}

    // Throws IoError when the temporary file cannot be made or written.
    void Add(std::string_view path);

    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // Every entry in the order added; throws IoError when the temporary file cannot be read.
    void ForEach(const std::function<void(const std::string&)>& visit) const;
    std::vector<std::string> Entries() const;

private:
    void FlushPending();

    std::size_t inMemory_;
    std::size_t size_ = 0;
    std::vector<std::string> head_;
    FileDescriptor spill_;
    std::size_t spilledBytes_ = 0;
    std::string pending_; // records not yet written to the file
};

} // namespace sumwarden
