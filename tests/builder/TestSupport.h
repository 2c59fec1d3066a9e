// Shared helpers of the builder tests: a temporary folder per test, byte strings written
// as hex, and whole-file reads and writes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "support/TempFolder.h"

namespace trellisk::test {

using TempFolder = ledgora::testing::TempFolder;

// Readable and writable by its owner alone (mode 0600).
inline bool ownerOnly(const std::filesystem::path& file) {
    return (std::filesystem::status(file).permissions() & std::filesystem::perms::all) ==
           (std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// One entry of the HotSync users file: ID (little-endian), name, folder.
inline std::string usersEntry(std::uint32_t id, const std::string& name,
                              const std::string& folder) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((id >> (8 * i)) & 0xFF));
    }
    out.push_back(static_cast<char>(name.size()));
    out += name;
    out.push_back(static_cast<char>(folder.size()));
    out += folder;
    return out;
}

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

// "01 0a ff" -> the three bytes; spaces are ignored.
inline std::string fromHex(std::string_view hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        int v = -1;
        if (c >= '0' && c <= '9') {
            v = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            v = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            v = c - 'A' + 10;
        }
        if (v < 0) {
            continue;
        }
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

inline std::string toHex(std::string_view data) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (i > 0) {
            out.push_back(' ');
        }
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::filesystem::path& path, std::string_view data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

} // namespace trellisk::test
