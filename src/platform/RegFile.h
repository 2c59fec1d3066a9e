// The REGEDIT4 text format: how registry keys and values are written to a ".reg" file
// (Windows-1252, CR LF) and read back. Used for the settings hives on disk and for the
// backup's export and import of the settings subtree.
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
// and an empty line.
std::string writeRegFile(const RegistryTree& tree, Hive hive, std::string_view path = {});

struct RegFileTargets {
    RegistryTree* currentUser = nullptr;
    RegistryTree* classesRoot = nullptr;
};

// Applies a REGEDIT4 file to the hives it names: keys and values are created or replaced,
// "[-key]" erases a key, "name"=- erases a value. Keys of other hives, or of a hive with no
// target, are skipped. Returns false (changing nothing) when the bytes are not a REGEDIT4
// file; malformed lines inside one are skipped.
bool readRegFile(std::string_view bytes, const RegFileTargets& targets);

} // namespace platform
