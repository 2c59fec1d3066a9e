// The four C-linkage entry points of the in-process server; the only symbols the library
// exports.
#include <dlfcn.h>

#include <filesystem>

#include "builder/ITrellisk.h"
#include "builder/Registration.h"
#include "builder/Trellisk.h"
#include "builder/TrelliskFactory.h"

namespace com = platform::com;

#define TRELLISK_EXPORT extern "C" __attribute__((visibility("default")))

TRELLISK_EXPORT com::HRESULT DllGetClassObject(com::REFCLSID clsid, com::REFIID riid,
                                               void** object);
TRELLISK_EXPORT com::HRESULT DllCanUnloadNow();
TRELLISK_EXPORT com::HRESULT DllRegisterServer();
TRELLISK_EXPORT com::HRESULT DllUnregisterServer();

namespace {

// The full path of this library, as loaded.
std::string libraryPath() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, ec);
    return ec ? std::filesystem::absolute(info.dli_fname, ec).string() : path.string();
}

} // namespace

com::HRESULT DllGetClassObject(com::REFCLSID clsid, com::REFIID riid, void** object) {
    if (object == nullptr) {
        return com::E_POINTER;
    }
    *object = nullptr;
    if (!(clsid == trellisk::CLSID_Trellisk)) {
        return com::CLASS_E_CLASSNOTAVAILABLE;
    }
    try {
        auto* factory = new trellisk::TrelliskFactory();
        factory->AddRef();
        const com::HRESULT hr = factory->QueryInterface(riid, object);
        factory->Release();
        return hr;
    } catch (...) {
        return com::E_OUTOFMEMORY;
    }
}

com::HRESULT DllCanUnloadNow() {
    return trellisk::Trellisk::liveObjects() == 0 && trellisk::TrelliskFactory::serverLocks() == 0
               ? com::S_OK
               : com::S_FALSE;
}

com::HRESULT DllRegisterServer() {
    try {
        const std::string path = libraryPath();
        if (path.empty()) {
            return com::SELFREG_E_CLASS;
        }
        platform::Registry registry = com::environmentRegistry();
        return trellisk::registerServer(registry, path) ? com::S_OK : com::SELFREG_E_CLASS;
    } catch (...) {
        return com::SELFREG_E_CLASS;
    }
}

com::HRESULT DllUnregisterServer() {
    try {
        platform::Registry registry = com::environmentRegistry();
        return trellisk::unregisterServer(registry) ? com::S_OK : com::SELFREG_E_CLASS;
    } catch (...) {
        return com::SELFREG_E_CLASS;
    }
}
