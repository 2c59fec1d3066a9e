// A scratch folder per fuzzing process, for the files the builder reads and writes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace trellisk::fuzz {

inline const std::filesystem::path& scratch() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "trellisk-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratch(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline std::string writeScratch(const std::string& name, const std::uint8_t* data,
                                std::size_t size) {
    const std::filesystem::path path = scratch() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path.string();
}

} // namespace trellisk::fuzz
