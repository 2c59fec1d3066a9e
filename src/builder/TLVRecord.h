// One record under construction: the concatenated field entries (ID, length, content) in
// the order they were added. It grows without limit; readers refuse what they cannot hold.
// Reading walks the same entries back (readEntry).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trellisk {

class TLVRecord {
public:
    // The largest content a two-digit length can state (225^2 - 1).
    static constexpr std::size_t kMaxContent = 225 * 225 - 1;
    // The largest field ID a one-digit ID can state.
    static constexpr int kMaxFieldId = 224;

    // Each returns false (and changes nothing) when the ID or the content length cannot be
    // encoded.
    bool addNumeric(int fieldId, std::uint64_t value);
    // The text's bytes and one NUL.
    bool addString(int fieldId, std::string_view text);
    // The bytes as they are, without NUL.
    bool addBlob(int fieldId, std::string_view bytes);

    // Whether a content of `length` bytes can be stated by a two-digit length.
    static bool contentFits(std::size_t length) { return length <= kMaxContent; }

    struct Entry {
        int fieldId;
        std::string_view content;
    };
    // The entry at `pos` of a stored record, `pos` then after it; nothing when the entry is
    // malformed or runs past the record's end.
    static std::optional<Entry> readEntry(std::string_view record, std::size_t& pos);
    // True when the record's entries fill it exactly: none is malformed or cut short.
    static bool isWhole(std::string_view record);

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    // Empties the record, keeping its buffer for the next one.
    void clear() { bytes_.clear(); }

private:
    bool appendEntry(int fieldId, std::size_t contentLength);
    std::string bytes_;
};

} // namespace trellisk
