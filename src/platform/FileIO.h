// Whole-file reads and atomic whole-file writes, and the line splitting shared by
// every text format of the product. Files are bytes here; code pages are Cp1252's job.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the same folder, flushes it to disk and renames
// it over `path`. Returns false when any step fails; the previous file is then untouched.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same, for a file only its owner may read or write (mode 0600 from its creation on):
// files that hold a password or an account for another program to pick up.
bool writePrivateFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Splits text into lines ended by CR LF, CR or LF. A last line without an end counts;
// text ending with a line end has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

// Calls `line` for each line of `text` as splitLines() cuts them, without building a list.
template <typename F> void forEachLine(std::string_view text, F&& line) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        line(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
}

} // namespace platform
