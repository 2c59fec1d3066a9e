// An allocator for the few very large arrays of the program (the cells of a big register):
// blocks of several megabytes are mapped with transparent huge pages, which spares
// thousands of page faults when a large account is opened. Small blocks use operator new.
#pragma once

#include <cstddef>
#include <new>

namespace platform {

void* allocateLarge(std::size_t bytes);
void deallocateLarge(void* p, std::size_t bytes);

template <typename T> class HugePageAllocator {
public:
    using value_type = T;
    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(std::size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { deallocateLarge(p, n * sizeof(T)); }

    template <typename U> bool operator==(const HugePageAllocator<U>&) const { return true; }
};

} // namespace platform
