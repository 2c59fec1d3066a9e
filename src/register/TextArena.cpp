#include "register/TextArena.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/HugePageAllocator.h"

namespace ledgora {
namespace {

void writeLength(char* at, std::size_t n) {
    const auto v = static_cast<std::uint32_t>(n);
    std::memcpy(at, &v, sizeof v);
}

} // namespace

TextArena::TextArena(const TextArena& other) {
    copyFrom(other);
}

TextArena& TextArena::operator=(const TextArena& other) {
    if (this != &other) {
        release();
        copyFrom(other);
    }
    return *this;
}

TextArena::TextArena(TextArena&& other) noexcept
    : blocks_(std::move(other.blocks_)), capacity_(other.capacity_), used_(other.used_),
      nextBlock_(other.nextBlock_) {
    other.blocks_.clear();
    other.capacity_ = 0;
    other.used_ = 0;
    other.nextBlock_ = kFirstBlock;
}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
    if (this != &other) {
        release();
        blocks_ = std::move(other.blocks_);
        capacity_ = other.capacity_;
        used_ = other.used_;
        nextBlock_ = other.nextBlock_;
        other.blocks_.clear();
        other.capacity_ = 0;
        other.used_ = 0;
        other.nextBlock_ = kFirstBlock;
    }
    return *this;
}

TextArena::~TextArena() {
    release();
}

void TextArena::release() {
    for (Block& b : blocks_) {
        platform::deallocateLarge(b.bytes, b.size);
    }
    blocks_.clear();
    capacity_ = 0;
    used_ = 0;
}

void TextArena::copyFrom(const TextArena& other) {
    // Each block keeps its size, so every location stays what it was.
    blocks_.reserve(other.blocks_.size());
    for (const Block& b : other.blocks_) {
        Block copy{static_cast<char*>(platform::allocateLarge(b.size)), b.size, b.used};
        std::memcpy(copy.bytes, b.bytes, b.used);
        blocks_.push_back(copy);
    }
    capacity_ = other.capacity_;
    used_ = other.used_;
    nextBlock_ = other.nextBlock_;
}

void TextArena::reserve(std::size_t bytes) {
    nextBlock_ = std::max(nextBlock_, bytes);
}

TextArena::Block& TextArena::blockFor(std::size_t bytes) {
    if (!blocks_.empty() && blocks_.back().size - blocks_.back().used >= bytes) {
        return blocks_.back();
    }
    if (blocks_.size() >= kMaxBlocks) {
        throw std::length_error("text arena full");
    }
    if (!blocks_.empty()) {
        // The end of a block too short for the text is lost to it.
        Block& last = blocks_.back();
        used_ += last.size - last.used;
        last.used = last.size;
    }
    const std::size_t size = std::max(nextBlock_, bytes);
    nextBlock_ = std::min(std::max(nextBlock_ * 2, kFirstBlock), kLargestBlock);
    blocks_.push_back({static_cast<char*>(platform::allocateLarge(size)), size, 0});
    capacity_ += size;
    return blocks_.back();
}

std::uint64_t TextArena::add(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - kLengthBytes) {
        throw std::length_error("cell text too long");
    }
    const std::size_t bytes = footprint(text.size());
    // `text` may lie in this arena: blocks never move, so it is still there after the new
    // block is made.
    Block& b = blockFor(bytes);
    const std::size_t offset = b.used;
    writeLength(b.bytes + offset, text.size());
    std::memcpy(b.bytes + offset + kLengthBytes, text.data(), text.size());
    b.used += bytes;
    used_ += bytes;
    return (static_cast<std::uint64_t>(blocks_.size() - 1) << kOffsetBits) | offset;
}

void TextArena::prefetch(std::uint64_t location) const {
    const Block& b = blocks_[static_cast<std::size_t>(location >> kOffsetBits)];
    __builtin_prefetch(b.bytes + (location & kOffsetMask));
}

void TextArena::shrinkTo(std::uint64_t location, std::string_view text) {
    const Block& b = blocks_[static_cast<std::size_t>(location >> kOffsetBits)];
    char* at = b.bytes + (location & kOffsetMask);
    // The new text may be a part of the old one.
    std::memmove(at + kLengthBytes, text.data(), text.size());
    writeLength(at, text.size());
}

} // namespace ledgora
