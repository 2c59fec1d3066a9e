#include "builder/IniFile.h"

#include <charconv>
#include <system_error>

#include "builder/AnsiText.h"
#include "platform/FileIO.h"

namespace trellisk {

std::string IniFile::fold(std::string_view name) {
    return AnsiText::lowerCase(AnsiText::trim(name));
}

IniFile::LoadResult IniFile::load(const std::filesystem::path& path) {
    values_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return LoadResult::Missing;
    }
    std::optional<std::string> text;
    if (std::filesystem::is_regular_file(path, ec)) {
        text = platform::readFile(path);
    }
    if (!text || !parse(*text)) {
        values_.clear();
        return LoadResult::Unreadable;
    }
    return LoadResult::Loaded;
}

bool IniFile::parse(std::string_view text) {
    values_.clear();
    std::string section;
    bool ok = true;
    platform::forEachLine(text, [&](std::string_view raw) {
        if (raw.size() > kMaxLine) {
            ok = false;
        }
        if (!ok) {
            return;
        }
        const std::string_view line = AnsiText::trim(raw);
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section =
                fold(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return;
        }
        std::string_view value = AnsiText::trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        values_.emplace(section + "\n" + fold(line.substr(0, equals)), std::string(value));
    });
    return ok;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const auto it = values_.find(fold(section) + "\n" + fold(key));
    return it != values_.end() ? it->second : std::string(fallback);
}

long long IniFile::readInteger(std::string_view section, std::string_view key,
                               long long fallback) const {
    const auto it = values_.find(fold(section) + "\n" + fold(key));
    if (it == values_.end()) {
        return fallback;
    }
    std::string_view text = AnsiText::trim(it->second);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return fallback;
    }
    return value;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

} // namespace trellisk
