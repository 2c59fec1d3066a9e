// The bytes of a grid's longer cell texts, one after another in a few large blocks. A text
// is found again by the location add() gave; bytes never move while the arena lives, so a
// view of a text stays valid until the arena is dropped (the grid replaces its arena
// when it compacts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace ledgora {

class TextArena {
public:
    // Locations fit in this many bits.
    static constexpr int kLocationBits = 56;

    TextArena() = default;
    TextArena(const TextArena& other);
    TextArena& operator=(const TextArena& other);
    TextArena(TextArena&& other) noexcept;
    TextArena& operator=(TextArena&& other) noexcept;
    ~TextArena();

    // Stores `text` (at most 4 GiB) and says where.
    std::uint64_t add(std::string_view text);
    std::string_view text(std::uint64_t location) const {
        const Block& b = blocks_[static_cast<std::size_t>(location >> kOffsetBits)];
        const char* at = b.bytes + (location & kOffsetMask);
        std::uint32_t n = 0;
        std::memcpy(&n, at, sizeof n);
        return {at + kLengthBytes, n};
    }
    // Asks the processor for the text's first bytes, before text() needs them.
    void prefetch(std::uint64_t location) const;
    // Replaces the text at `location` by a text no longer than it.
    void shrinkTo(std::uint64_t location, std::string_view text);

    // The bytes a text takes in the arena, its length included.
    static std::size_t footprint(std::size_t textSize) { return textSize + kLengthBytes; }
    // The bytes the arena holds for texts, used or not.
    std::size_t capacity() const { return capacity_; }
    // The bytes stored so far, counting texts dropped since and the ends of full blocks.
    std::size_t used() const { return used_; }
    // Makes the next block at least `bytes` long: a compaction that knows what it will
    // copy gets one block.
    void reserve(std::size_t bytes);

private:
    static constexpr std::size_t kLengthBytes = 4;
    static constexpr int kOffsetBits = 32;
    static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
    static constexpr std::size_t kMaxBlocks = std::size_t{1} << (kLocationBits - kOffsetBits);
    static constexpr std::size_t kFirstBlock = 256;
    static constexpr std::size_t kLargestBlock = std::size_t{4} << 20;

    struct Block {
        char* bytes = nullptr;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    void release();
    void copyFrom(const TextArena& other);
    Block& blockFor(std::size_t bytes);

    std::vector<Block> blocks_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    std::size_t nextBlock_ = kFirstBlock;
};

} // namespace ledgora
