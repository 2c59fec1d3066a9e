#include "platform/MappedFile.h"

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
            void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const char*>(p);
                mapped_ = true;
                ok_ = true;
            }
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (mapped_) {
        ::munmap(const_cast<char*>(data_), size_);
    }
}

} // namespace platform
