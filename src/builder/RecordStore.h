// The finished records of a database being built, in the order they were added, kept as
// the tail of the file to be: each record's bytes followed by its NUL, in one block that
// grows in place. Writing puts the file's head in front of that block for the time of one
// atomic write, so a build copies and touches its data once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace trellisk {

class RecordStore {
public:
    RecordStore() = default;
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // False when memory runs out (the store is unchanged).
    bool append(std::string_view record);
    std::size_t size() const { return lengths_.size(); }
    bool empty() const { return lengths_.empty(); }
    // Record lengths, without their NUL.
    const std::vector<std::uint32_t>& lengths() const { return lengths_; }
    // Record `index` without its NUL; valid until the next change.
    std::string_view record(std::size_t index) const;
    // Every record followed by its NUL.
    std::string_view bytes() const { return {data_, used_}; }

    // Writes `head` then bytes() as one file, atomically and readable by its owner alone (a
    // database may hold an account and its password); the store is unchanged.
    bool writeFile(const std::filesystem::path& path, std::string_view head);
    // Releases everything.
    void clear();

private:
    bool reserve(std::size_t front, std::size_t used);

    char* data_ = nullptr;
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::uint32_t> lengths_;
    std::vector<std::size_t> starts_;
};

} // namespace trellisk
