// A reader of INI files (build scripts): "[section]" lines and "key=value" lines, names
// compared without regard to case, the first occurrence of a key winning, values trimmed
// and stripped of one pair of enclosing quotes. Text is kept as the file's 8-bit bytes.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace trellisk {

class IniFile {
public:
    static constexpr std::size_t kMaxLine = 1023;

    enum class LoadResult { Loaded, Missing, Unreadable };

    // A missing file loads as empty (and says so); a file that cannot be read, or has a
    // line longer than kMaxLine bytes, is Unreadable and leaves the reader empty.
    LoadResult load(const std::filesystem::path& path);
    // The same rules on text already in memory.
    bool parse(std::string_view text);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // A decimal integer (optional sign, surrounding blanks); `fallback` for anything else.
    long long readInteger(std::string_view section, std::string_view key, long long fallback) const;
    // An integer, non-zero meaning true.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;

private:
    static std::string fold(std::string_view name);
    std::map<std::string, std::string> values_; // "section\nkey" folded -> value
};

} // namespace trellisk
