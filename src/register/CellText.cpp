#include "register/CellText.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace ledgora {

CellText::CellText(const CellText& other) : std::string_view(other) {
    if (other.ownsText()) {
        std::memcpy(own_, other.own_, other.size());
        std::string_view::operator=(std::string_view(own_, other.size()));
    }
}

CellText& CellText::operator=(const CellText& other) {
    if (this == &other) {
        return *this;
    }
    if (other.ownsText()) {
        std::memcpy(own_, other.own_, other.size());
        std::string_view::operator=(std::string_view(own_, other.size()));
    } else {
        std::string_view::operator=(other);
    }
    return *this;
}

CellText CellText::viewOf(std::string_view bytes) {
    return CellText(bytes);
}

CellText CellText::ownBuffer() {
    CellText t;
    t.setOwnSize(0);
    return t;
}

void CellText::setOwnSize(std::size_t size) {
    std::string_view::operator=(std::string_view(own_, std::min(size, kInlineCapacity)));
}

std::string operator+(const std::string& a, const CellText& b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a).append(b);
    return out;
}

std::string operator+(std::string&& a, const CellText& b) {
    a.append(b);
    return std::move(a);
}

std::string operator+(const CellText& a, const std::string& b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a).append(b);
    return out;
}

std::string operator+(const char* a, const CellText& b) {
    return std::string(a) + b;
}

std::string operator+(const CellText& a, const char* b) {
    return a + std::string(b);
}

std::string operator+(char a, const CellText& b) {
    return std::string(1, a) + b;
}

std::string operator+(const CellText& a, char b) {
    std::string out(a);
    out.push_back(b);
    return out;
}

std::string operator+(const CellText& a, const CellText& b) {
    std::string out(a);
    out.append(b);
    return out;
}

void PrintTo(const CellText& text, std::ostream* os) {
    *os << '"' << static_cast<std::string_view>(text) << '"';
}

} // namespace ledgora
