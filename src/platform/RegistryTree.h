// One registry hive in memory: keys named by "\"-separated paths, compared without
// regard to case, each holding named values in the order they were first written.
// Keys are kept in one flat ordered map, so depth costs no recursion anywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct RegistryValue {
    enum class Type { String, Dword, Raw };
    Type type = Type::String;
    std::string text;        // String: the UTF-8 text; Raw: the data as a .reg file writes it
    std::uint32_t dword = 0; // Dword

    static RegistryValue string(std::string s) { return {Type::String, std::move(s), 0}; }
    static RegistryValue number(std::uint32_t v) { return {Type::Dword, {}, v}; }
    bool operator==(const RegistryValue&) const = default;
};

class RegistryTree {
public:
    struct Key {
        std::string path; // as first written, without leading or trailing "\"
        std::vector<std::pair<std::string, RegistryValue>> values;
    };

    bool empty() const { return keys_.empty(); }
    bool keyExists(std::string_view path) const;
    // Creates the key and every missing parent; returns it.
    Key& createKey(std::string_view path);
    // Removes the key with everything below it; false when it did not exist.
    bool eraseKey(std::string_view path);

    const RegistryValue* value(std::string_view path, std::string_view name) const;
    void setValue(std::string_view path, std::string_view name, RegistryValue value);
    bool eraseValue(std::string_view path, std::string_view name);

    // Names of the direct subkeys, in case-insensitive alphabetical order.
    std::vector<std::string> subKeys(std::string_view path) const;
    // Names of the key's values, in the order they were first written.
    std::vector<std::string> valueNames(std::string_view path) const;

    // Visits the key (when `path` is not empty) and all keys below it, parents before
    // children, siblings in case-insensitive alphabetical order. An empty path visits all.
    void forEachKey(std::string_view path, const std::function<void(const Key&)>& visit) const;

    // "a\\b\\" and "\\a\\b" both name "a\\b".
    static std::string normalise(std::string_view path);

private:
    static std::string mapKey(std::string_view normalisedPath);
    std::map<std::string, Key> keys_;
};

} // namespace platform
