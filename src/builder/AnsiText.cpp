#include "builder/AnsiText.h"

namespace trellisk::AnsiText {

std::string_view trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') {
        --end;
    }
    return text.substr(begin, end - begin);
}

char toLower(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return static_cast<char>(b + 0x20);
    }
    switch (b) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<char>(b + 0x10);
    case 0x9F: // Ÿ
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

static char toUpper(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<char>(b - 0x20);
    }
    switch (b) {
    case 0x9A:
    case 0x9C:
    case 0x9E:
        return static_cast<char>(b - 0x10);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = toLower(c);
    }
    return out;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = toUpper(c);
    }
    return out;
}

std::string_view fileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view folderPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

std::string changeFileExt(std::string_view path, std::string_view extension) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    std::string out(hasExtension ? path.substr(0, dot) : path);
    out.append(extension);
    return out;
}

} // namespace trellisk::AnsiText
