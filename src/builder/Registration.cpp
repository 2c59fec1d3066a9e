#include "builder/Registration.h"

#include <filesystem>

#include "builder/ITrellisk.h"

namespace trellisk {
namespace {

using platform::RegistryValue;
using platform::com::formatGuid;

std::string classKey() {
    return "CLSID\\" + formatGuid(CLSID_Trellisk);
}
std::string typeLibKey() {
    return "TypeLib\\" + formatGuid(LIBID_Trellisk);
}
std::string interfaceKey() {
    return "Interface\\" + formatGuid(IID_ITrellisk);
}

// The standard marshaller of automation interfaces.
constexpr std::string_view kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

} // namespace

bool registerServer(platform::Registry& registry, const std::string& libraryPath) {
    const std::string folder = std::filesystem::path(libraryPath).parent_path().string();
    return registry.update(platform::Hive::ClassesRoot, [&](platform::RegistryTree& tree) {
        const auto set = [&](const std::string& key, std::string_view name, std::string_view text) {
            tree.createKey(key);
            tree.setValue(key, name, RegistryValue::string(std::string(text)));
        };
        const std::string clsid = classKey();
        const std::string libid = formatGuid(LIBID_Trellisk);
        set(clsid, "", kTrelliskClassHelp);
        set(clsid + "\\InprocServer32", "", libraryPath);
        set(clsid + "\\InprocServer32", "ThreadingModel", "Apartment");
        set(clsid + "\\ProgID", "", kTrelliskProgId);
        set(clsid + "\\TypeLib", "", libid);
        set(clsid + "\\Version", "", "1.0");
        set(std::string(kTrelliskProgId), "", kTrelliskClassHelp);
        set(std::string(kTrelliskProgId) + "\\Clsid", "", formatGuid(CLSID_Trellisk));
        const std::string lib = typeLibKey() + "\\1.0";
        set(lib, "", kTrelliskLibraryHelp);
        set(lib + "\\409\\linux", "", libraryPath);
        set(lib + "\\FLAGS", "", "0");
        set(lib + "\\HELPDIR", "", folder);
        const std::string iface = interfaceKey();
        set(iface, "", "ITrellisk");
        set(iface + "\\ProxyStubClsid32", "", kAutomationProxy);
        set(iface + "\\TypeLib", "", libid);
        set(iface + "\\TypeLib", "Version", "1.0");
    });
}

bool unregisterServer(platform::Registry& registry) {
    return registry.update(platform::Hive::ClassesRoot, [&](platform::RegistryTree& tree) {
        tree.eraseKey(classKey());
        tree.eraseKey(kTrelliskProgId);
        tree.eraseKey(typeLibKey());
        tree.eraseKey(interfaceKey());
    });
}

} // namespace trellisk
