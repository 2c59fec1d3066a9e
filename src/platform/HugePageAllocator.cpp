#include "platform/HugePageAllocator.h"

#include <cstdint>
#include <cstring>
#include <sys/mman.h>

namespace platform {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kThreshold = std::size_t{4} << 20;

std::size_t mappedSize(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void* allocateLarge(std::size_t bytes) {
    if (bytes < kThreshold) {
        return ::operator new(bytes);
    }
    const std::size_t size = mappedSize(bytes);
    // Map one huge page more than needed and trim, so the block starts on a huge page.
    void* raw = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    const std::uintptr_t end = start + size + kHugePage;
    if (end > aligned + size) {
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    }
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void* allocateLargeZeroed(std::size_t bytes) {
    void* p = allocateLarge(bytes);
    if (bytes < kThreshold) {
        std::memset(p, 0, bytes);
    }
    return p;
}

void deallocateLarge(void* p, std::size_t bytes) {
    if (p == nullptr) {
        return;
    }
    if (bytes < kThreshold) {
        ::operator delete(p);
        return;
    }
    ::munmap(p, mappedSize(bytes));
}

} // namespace platform
