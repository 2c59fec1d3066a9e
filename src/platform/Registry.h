// The settings store: the current user's registry (HKEY_CURRENT_USER) and the class
// registrations (HKEY_CLASSES_ROOT), each hive kept as a REGEDIT4 file in one folder.
// Every read first reloads a hive whose file changed; every change is one locked
// read-modify-write followed by an atomic save, so several processes can share the files.
// A hive file that cannot be read whole is set aside, never written over.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegFile.h"
#include "platform/RegistryTree.h"

namespace platform {

class Registry {
public:
    // Hive files "HKEY_CURRENT_USER.reg" and "HKEY_CLASSES_ROOT.reg" in `folder`, which is
    // created (for the user alone) on the first save.
    explicit Registry(std::filesystem::path folder);

    // Reads. Key paths are "\"-separated, relative to the hive.
    std::optional<RegistryValue> value(Hive hive, std::string_view key,
                                       std::string_view name) const;
    // A string value's text (a DWORD's decimal value); `fallback` when absent.
    std::string readString(Hive hive, std::string_view key, std::string_view name,
                           std::string_view fallback = {}) const;
    // The text's integer value (a DWORD's value); `fallback` when absent or not an integer.
    int readInteger(Hive hive, std::string_view key, std::string_view name, int fallback) const;
    // An integer read, non-zero = true.
    bool readBool(Hive hive, std::string_view key, std::string_view name, bool fallback) const;
    bool keyExists(Hive hive, std::string_view key) const;
    std::vector<std::string> subKeys(Hive hive, std::string_view key) const;
    std::vector<std::string> valueNames(Hive hive, std::string_view key) const;

    // Writes; each creates missing keys and returns false when the hive cannot be saved, or
    // when the key path or value name is beyond the registry's limits.
    bool writeString(Hive hive, std::string_view key, std::string_view name, std::string_view text);
    // Integers and booleans are stored as text: "42", "1", "0".
    bool writeInteger(Hive hive, std::string_view key, std::string_view name, long long v);
    bool writeBool(Hive hive, std::string_view key, std::string_view name, bool v);
    bool writeDword(Hive hive, std::string_view key, std::string_view name, std::uint32_t v);
    bool createKey(Hive hive, std::string_view key);
    // Erases the key with everything below it.
    bool eraseKey(Hive hive, std::string_view key);
    bool eraseValue(Hive hive, std::string_view key, std::string_view name);

    // Several changes in one locked save: `change` edits the freshly loaded hive. False
    // when the hive cannot be saved (or must not be: its unreadable file stayed in place).
    bool update(Hive hive, const std::function<void(RegistryTree&)>& change);

    // Writes the key and everything below it to a REGEDIT4 file (atomically).
    bool exportKey(Hive hive, std::string_view key, const std::filesystem::path& file) const;
    // Merges a registry file into the hives it names; false when it cannot be read, is not
    // a registry file or holds keys beyond the registry's limits (nothing changes then).
    bool importFile(const std::filesystem::path& file);

    std::filesystem::path hiveFile(Hive hive) const;

    // What the user must be told about the hive files (one set aside because it could not
    // be read whole, or one that could not even be set aside), each once: the texts since
    // the last call.
    std::vector<std::string> takeNotices();

private:
    struct FileStamp {
        long long mtimeNs = -1;
        long long size = -1;
        unsigned long long inode = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct HiveState {
        RegistryTree tree;
        FileStamp stamp;
        bool writable = true; // false while an unreadable file could not be set aside
    };

    static std::size_t index(Hive hive) { return hive == Hive::CurrentUser ? 0 : 1; }
    FileStamp stampOf(Hive hive) const;
    const RegistryTree& fresh(Hive hive) const;
    // `locked`: the caller holds the hive's lock, under which a damaged file is set aside.
    void reload(Hive hive, bool locked) const;
    void setAside(Hive hive, RegistryTree readable, const std::string& why) const;
    bool save(Hive hive) const;

    std::filesystem::path folder_;
    mutable std::array<HiveState, 2> hives_;
    mutable std::vector<std::string> notices_;
};

// The integer value of a settings text: optional spaces and sign, then digits only.
std::optional<long long> parseSettingsInteger(std::string_view text);

} // namespace platform
