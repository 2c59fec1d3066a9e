#include "platform/com/Activation.h"

#include <dlfcn.h>

#include "platform/Paths.h"

namespace platform::com {

platform::Registry environmentRegistry() {
    return platform::Registry(platform::Paths::fromEnvironment({}).registryFolder());
}

void* loadServerLibrary(const std::string& path, std::string& error) {
    // RTLD_LOCAL keeps each server's symbols to itself; servers are never unloaded, as a
    // client may still hold objects whose code lives there.
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr ? reason : "cannot load " + path;
    }
    return library;
}

void* serverExport(void* library, const char* name) {
    return library != nullptr ? ::dlsym(library, name) : nullptr;
}

HRESULT CoGetClassObject(const platform::Registry& registry, REFCLSID clsid, DWORD context,
                         REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if ((context & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)) == 0) {
        return REGDB_E_CLASSNOTREG;
    }
    const std::string key = "CLSID\\" + formatGuid(clsid) + "\\InprocServer32";
    const std::string path = registry.readString(platform::Hive::ClassesRoot, key, "");
    if (path.empty()) {
        return REGDB_E_CLASSNOTREG;
    }
    std::string error;
    void* library = loadServerLibrary(path, error);
    if (library == nullptr) {
        return CO_E_DLLNOTFOUND;
    }
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(serverExport(library, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        return CO_E_ERRORINDLL;
    }
    return getClassObject(clsid, riid, object);
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* /*serverInfo*/, REFIID riid,
                         void** object) {
    return CoGetClassObject(environmentRegistry(), clsid, context, riid, object);
}

HRESULT CoCreateInstance(const platform::Registry& registry, REFCLSID clsid, IUnknown* outer,
                         DWORD context, REFIID riid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    IClassFactory* factory = nullptr;
    const HRESULT hr = CoGetClassObject(registry, clsid, context, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) {
        return hr;
    }
    if (factory == nullptr) {
        return E_UNEXPECTED;
    }
    const HRESULT created = factory->CreateInstance(outer, riid, object);
    factory->Release();
    return created;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid,
                         void** object) {
    return CoCreateInstance(environmentRegistry(), clsid, outer, context, riid, object);
}

HRESULT CLSIDFromProgID(const platform::Registry& registry, std::string_view progId, CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = GUID_NULL;
    const std::string text =
        registry.readString(platform::Hive::ClassesRoot, std::string(progId) + "\\Clsid", "");
    const auto guid = parseGuid(text);
    if (!guid) {
        return CO_E_CLASSSTRING;
    }
    *clsid = *guid;
    return S_OK;
}

} // namespace platform::com
