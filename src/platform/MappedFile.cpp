#include "platform/MappedFile.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

MappedFile::MappedFile(const std::filesystem::path& path) {
    // Only regular files: opening a FIFO would wait for a writer, a device never ends.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) {
        return;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        size_ = static_cast<std::size_t>(st.st_size);
        if (size_ == 0) {
            ok_ = true;
        } else {
            // Read ahead as the reader goes, rather than all at once: release() gives back
            // what it passed, so a large file is never resident in full.
            void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                ::madvise(p, size_, MADV_SEQUENTIAL);
                ::madvise(p, size_, MADV_WILLNEED);
                data_ = static_cast<const char*>(p);
                mapped_ = true;
                ok_ = true;
            }
        }
    }
    ::close(fd);
}

void MappedFile::release(std::size_t offset) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t end = std::min(offset, size_) / page * page;
    if (!mapped_ || end <= released_) {
        return;
    }
    ::madvise(const_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

MappedFile::~MappedFile() {
    if (mapped_) {
        ::munmap(const_cast<char*>(data_), size_);
    }
}

} // namespace platform
