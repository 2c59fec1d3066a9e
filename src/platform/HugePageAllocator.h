// An allocator for the few very large arrays of the program (the cells of a big register):
// blocks of several megabytes are mapped with transparent huge pages, which spares
// thousands of page faults when a large account is opened. Small blocks use operator new.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

namespace platform {

void* allocateLarge(std::size_t bytes);
// The same, every byte zero: a fresh mapping is, so a large block costs no clearing pass.
void* allocateLargeZeroed(std::size_t bytes);
void deallocateLarge(void* p, std::size_t bytes);

template <typename T> class HugePageAllocator {
public:
    using value_type = T;
    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(std::size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { deallocateLarge(p, n * sizeof(T)); }
    // Elements made without a value are left as they are, not zeroed: these arrays are
    // written in full right after, and a clearing pass over a large one costs as much.
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U> bool operator==(const HugePageAllocator<U>&) const { return true; }
};

} // namespace platform
