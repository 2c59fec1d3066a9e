// Activation of in-process servers: a class identifier is looked up under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 in the registry stand-in, the library it
// names is loaded with dlopen (and stays loaded), and its DllGetClassObject makes the
// class factory. The registry is the one of Paths::fromEnvironment unless one is given.
#pragma once

#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "platform/com/ClassFactory.h"

namespace platform::com {

// The C-linkage exports of an in-process server.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

// The registry of this process's environment ($LEDGORA_HOME/registry or the user's).
platform::Registry environmentRegistry();

HRESULT CoGetClassObject(const platform::Registry& registry, REFCLSID clsid, DWORD context,
                         REFIID riid, void** object);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID riid,
                         void** object);

// REGDB_E_CLASSNOTREG when the class has no InprocServer32 entry, CO_E_DLLNOTFOUND when
// its library cannot be loaded, CO_E_ERRORINDLL when it lacks DllGetClassObject.
HRESULT CoCreateInstance(const platform::Registry& registry, REFCLSID clsid, IUnknown* outer,
                         DWORD context, REFIID riid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid,
                         void** object);

// The class registered under a ProgID ("Vendor.Class"): HKEY_CLASSES_ROOT\ProgID\Clsid.
HRESULT CLSIDFromProgID(const platform::Registry& registry, std::string_view progId, CLSID* clsid);

// Loads a server library (it stays loaded) and finds one of its exports; null with a
// reason in `error` when either fails.
void* loadServerLibrary(const std::string& path, std::string& error);
void* serverExport(void* library, const char* name);

} // namespace platform::com
