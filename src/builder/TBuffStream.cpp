#include "builder/TBuffStream.h"

#include <cstring>
#include <system_error>

#include "platform/FileIO.h"

namespace trellisk {

bool TBuffStream::open(const std::filesystem::path& path) {
    close();
    // A device or a pipe would never end; only plain files are databases.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    auto bytes = platform::readFile(path);
    if (!bytes) {
        return false;
    }
    bytes_ = std::move(*bytes);
    open_ = true;
    return true;
}

void TBuffStream::close() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    open_ = false;
}

bool TBuffStream::read(std::uint64_t position, std::size_t count, unsigned char* buffer) const {
    if (position > bytes_.size() || count > bytes_.size() - position) {
        return false;
    }
    if (count > 0) {
        std::memcpy(buffer, bytes_.data() + position, count);
    }
    return true;
}

std::optional<std::uint32_t> TBuffStream::readInteger(std::uint64_t position, int count,
                                                      unsigned char* buffer) const {
    if (count < 1 || count > 4 || !read(position, static_cast<std::size_t>(count), buffer)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | buffer[i];
    }
    return value;
}

} // namespace trellisk
