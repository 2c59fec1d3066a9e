// Read-only access to a database file for loading: the whole file is read at open, then
// reads at a position answer nothing rather than reading past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace trellisk {

class TBuffStream {
public:
    // False when the path is not a regular file or cannot be read.
    bool open(const std::filesystem::path& path);
    void close();
    bool isOpen() const { return open_; }
    std::uint64_t size() const { return bytes_.size(); }

    // Copies `count` bytes at `position` into `buffer`; false when they pass the end.
    bool read(std::uint64_t position, std::size_t count, unsigned char* buffer) const;
    // Reads `count` (1 to 4) bytes at `position` into `buffer` and answers them as a
    // big-endian integer; nothing when they pass the end.
    std::optional<std::uint32_t> readInteger(std::uint64_t position, int count,
                                             unsigned char* buffer) const;

private:
    std::string bytes_;
    bool open_ = false;
};

} // namespace trellisk
