// A cell's text as a grid hands it out: a view of the grid's own bytes, or, for a number
// cell or packed digits (a date), its text held in the object itself. It reads like a
// std::string_view and converts to std::string where a caller keeps the text.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace ledgora {

class CellText : public std::string_view {
public:
    static constexpr std::size_t kInlineCapacity = 24;

    CellText() = default;
    CellText(const CellText& other);
    CellText& operator=(const CellText& other);
    ~CellText() = default;

    // A view of bytes that outlive the object.
    static CellText viewOf(std::string_view bytes);
    // Room for at most kInlineCapacity bytes, which the caller fills and then sizes.
    static CellText ownBuffer();
    char* buffer() { return own_; }
    void setOwnSize(std::size_t size);

    // True when the text lives in this object: a view of it (a std::string_view made
    // from it) ends with the object. Otherwise it lives as long as the grid's cell.
    bool ownsText() const { return data() == own_; }

    operator std::string() const { return std::string(data(), size()); }

private:
    explicit CellText(std::string_view view) : std::string_view(view) {}

    char own_[kInlineCapacity];
};

// Concatenation as with std::string, which std::string_view does not have.
std::string operator+(const std::string& a, const CellText& b);
std::string operator+(std::string&& a, const CellText& b);
std::string operator+(const CellText& a, const std::string& b);
std::string operator+(const char* a, const CellText& b);
std::string operator+(const CellText& a, const char* b);
std::string operator+(char a, const CellText& b);
std::string operator+(const CellText& a, char b);
std::string operator+(const CellText& a, const CellText& b);

// The text itself in a test's failure message, not its characters one by one.
void PrintTo(const CellText& text, std::ostream* os);

} // namespace ledgora
