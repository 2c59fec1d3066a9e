#include "builder/RecordStore.h"

#include <cstdlib>
#include <cstring>

#include "platform/FileIO.h"

namespace trellisk {

RecordStore::~RecordStore() {
    std::free(data_);
}

// realloc rather than new[]: a large block grows in place (the system remaps it) instead
// of being copied into fresh memory at every doubling.
bool RecordStore::reserve(std::size_t front, std::size_t used) {
    const std::size_t needed = front + used;
    if (needed <= capacity_) {
        return true;
    }
    std::size_t capacity = capacity_ < 65536 ? 65536 : capacity_;
    while (capacity < needed) {
        capacity *= 2;
    }
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) {
        return false;
    }
    data_ = grown;
    capacity_ = capacity;
    return true;
}

bool RecordStore::append(std::string_view record) {
    if (record.size() > UINT32_MAX || !reserve(0, used_ + record.size() + 1)) {
        return false;
    }
    starts_.push_back(used_);
    lengths_.push_back(static_cast<std::uint32_t>(record.size()));
    if (!record.empty()) {
        std::memcpy(data_ + used_, record.data(), record.size());
    }
    used_ += record.size();
    data_[used_++] = '\0';
    return true;
}

std::string_view RecordStore::record(std::size_t index) const {
    return {data_ + starts_[index], lengths_[index]};
}

bool RecordStore::writeFile(const std::filesystem::path& path, std::string_view head) {
    if (!reserve(head.size(), used_)) {
        return false;
    }
    if (used_ > 0) {
        std::memmove(data_ + head.size(), data_, used_);
    }
    if (!head.empty()) {
        std::memcpy(data_, head.data(), head.size());
    }
    const bool written =
        platform::writePrivateFileAtomically(path, std::string_view(data_, head.size() + used_));
    if (used_ > 0) {
        std::memmove(data_, data_ + head.size(), used_);
    }
    return written;
}

void RecordStore::clear() {
    std::free(data_);
    data_ = nullptr;
    used_ = capacity_ = 0;
    lengths_.clear();
    lengths_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

} // namespace trellisk
