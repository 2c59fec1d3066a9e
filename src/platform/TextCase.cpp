#include "platform/TextCase.h"

namespace platform {

std::string foldCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) {
                out[i + 1] = static_cast<char>(d + 0x20);
            }
            ++i;
        } else if (c == 0xC5 && i + 1 < out.size()) {
            // The capitals of Windows-1252 beyond Latin-1: Œ, Š, Ž and Ÿ.
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d == 0x92 || d == 0xA0 || d == 0xBD) {
                out[i + 1] = static_cast<char>(d + 1);
            } else if (d == 0xB8) {
                out[i] = static_cast<char>(0xC3);
                out[i + 1] = static_cast<char>(0xBF);
            }
            ++i;
        }
    }
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && foldCase(a) == foldCase(b);
}

std::string capitalizeFirstAscii(std::string_view text) {
    std::string out(text);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') {
        out[0] = static_cast<char>(out[0] - 32);
    }
    return out;
}

} // namespace platform
