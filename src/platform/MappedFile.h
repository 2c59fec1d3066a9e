// A file's bytes mapped read-only into memory: large files are read without copying
// them. The bytes stay valid while the object lives.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

class MappedFile {
public:
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file could not be opened or read, or is not a regular file.
    bool ok() const { return ok_; }
    std::string_view bytes() const { return {data_, size_}; }
    // The bytes before `offset` will not be read again: their pages leave the process's
    // memory (they stay readable, read again from the file if they are).
    void release(std::size_t offset);

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0;
    bool mapped_ = false;
    bool ok_ = false;
};

} // namespace platform
