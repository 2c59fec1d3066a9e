// The ".reg" text format: registry keys and values written as REGEDIT4 (Windows-1252,
// CR LF) and read back from REGEDIT4 or from the system editor's version 5 (UTF-16LE).
// Used for the settings hives on disk and for the backup's export and import.
#pragma once

#include <string>
#include <string_view>

#include "platform/RegistryTree.h"

namespace platform {

enum class Hive { CurrentUser, ClassesRoot };

// "HKEY_CURRENT_USER" or "HKEY_CLASSES_ROOT".
std::string_view hiveName(Hive hive);

// The keys of `tree` from `path` down (the whole hive when `path` is empty), as REGEDIT4
// file bytes: the header line, then each key's "[HIVE\\path]" line followed by its values
// and an empty line. A key with no values whose subkeys are written is left to them (a
// reader creates it with them), so the file grows with the content, not with its depth.
// Strings holding control characters are written in the hex(1) form.
std::string writeRegFile(const RegistryTree& tree, Hive hive, std::string_view path = {});

struct RegFileTargets {
    RegistryTree* currentUser = nullptr;
    RegistryTree* classesRoot = nullptr;
};

enum class RegFileFormat { Regedit4, Version5 };

struct RegFileReport {
    bool readable = false; // the bytes are a registry file of one of the two formats
    RegFileFormat format = RegFileFormat::Regedit4;
    std::size_t keysRefused = 0; // keys beyond the registry's limits, skipped with their values
    explicit operator bool() const { return readable; }
};

// Applies a registry file to the hives it names: keys and values are created or replaced,
// "[-key]" erases a key, "name"=- erases a value. Keys of other hives, or of a hive with no
// target, are skipped, and so are keys beyond the registry's limits (counted). Accepts a
// UTF-8 or UTF-16LE byte-order mark, blank lines before the header, and both headers
// "REGEDIT4" and "Windows Registry Editor Version 5.00". Not readable (nothing changed)
// when the bytes are neither; malformed lines inside one are skipped.
RegFileReport readRegFile(std::string_view bytes, const RegFileTargets& targets);

} // namespace platform
