#include "builder/RecordEncoding.h"

namespace trellisk {

std::string encodeRecord(std::string_view plain, std::uint8_t key) {
    std::string out;
    out.resize(plain.size() + 1);
    out[0] = static_cast<char>(key);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        out[i + 1] = static_cast<char>(static_cast<std::uint8_t>(plain[i]) + key);
    }
    return out;
}

std::optional<std::string> decodeRecord(std::string_view encoded) {
    if (encoded.empty()) {
        return std::nullopt;
    }
    const auto key = static_cast<std::uint8_t>(encoded[0]);
    std::string out(encoded.substr(1));
    for (char& c : out) {
        c = static_cast<char>(static_cast<std::uint8_t>(c) - key);
    }
    return out;
}

} // namespace trellisk
