// An exclusive lock between processes on a file's companion "<file>.lock", held for the
// life of the object: a read-modify-write of a shared file under it cannot interleave with
// another's.
#pragma once

#include <filesystem>

namespace platform {

class FileLock {
public:
    // Waits for the lock. The lock file is created 0600 and never followed as a link;
    // when it cannot be opened (a folder that cannot be written) nothing is held.
    explicit FileLock(const std::filesystem::path& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace platform
