// One registry hive in memory: keys named by "\"-separated paths, compared without
// regard to case, each holding named values in the order they were first written.
// Held to the system registry's limits (key names of at most 255 characters, at most 512
// levels), so memory and every walk stay linear in the content, and to what its ANSI file
// can hold: no control characters, no name that Windows-1252 cannot spell.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
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
    static constexpr std::size_t kMaxKeyNameLength = 255; // characters of one key name
    static constexpr std::size_t kMaxDepth = 512;         // key names in one path

    using Values = std::vector<std::pair<std::string, RegistryValue>>;

    // What forEachKey() shows of one key.
    struct KeyView {
        std::string_view path; // as first written, without leading or trailing "\"
        const Values& values;
        bool hasSubKeys;
    };

    RegistryTree();
    ~RegistryTree();
    RegistryTree(const RegistryTree& other);
    RegistryTree& operator=(const RegistryTree& other);
    RegistryTree(RegistryTree&&) noexcept;
    RegistryTree& operator=(RegistryTree&&) noexcept;

    bool empty() const;
    bool keyExists(std::string_view path) const;
    // Creates the key and every missing parent; false (and nothing created) when the path
    // is empty or breaks a limit.
    bool createKey(std::string_view path);
    // Removes the key with everything below it; false when it did not exist.
    bool eraseKey(std::string_view path);

    const RegistryValue* value(std::string_view path, std::string_view name) const;
    // False (and nothing changed) when the key path or the value name is refused.
    bool setValue(std::string_view path, std::string_view name, RegistryValue value);
    bool eraseValue(std::string_view path, std::string_view name);

    // Names of the direct subkeys, in case-insensitive alphabetical order.
    std::vector<std::string> subKeys(std::string_view path) const;
    // Names of the key's values, in the order they were first written.
    std::vector<std::string> valueNames(std::string_view path) const;

    // Visits the key (when `path` is not empty) and all keys below it, parents before
    // children, siblings in case-insensitive alphabetical order. An empty path visits all.
    void forEachKey(std::string_view path, const std::function<void(const KeyView&)>& visit) const;

    // "a\\b\\" and "\\a\\b" both name "a\\b".
    static std::string normalise(std::string_view path);
    // A non-empty normalised path within the limits, of names without control characters
    // that Windows-1252 can spell (two names it cannot would both be written "?").
    static bool isValidKeyPath(std::string_view normalisedPath);
    // The same for a value name (the empty name is the default value).
    static bool isValidValueName(std::string_view name);

private:
    struct Node;
    const Node* find(std::string_view path) const;
    Node* find(std::string_view path);
    std::unique_ptr<Node> root_;
};

} // namespace platform
