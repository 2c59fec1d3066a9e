// The registry entries of the Trellisk server under HKEY_CLASSES_ROOT: the class with its
// InprocServer32, ProgID, TypeLib and Version keys, the ProgID key, the type library and
// the interface. Each change is one locked save of the hive.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace trellisk {

bool registerServer(platform::Registry& registry, const std::string& libraryPath);
bool unregisterServer(platform::Registry& registry);

} // namespace trellisk
