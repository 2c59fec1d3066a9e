#include "platform/com/RegServer.h"

#include <cstdio>
#include <filesystem>

#include "platform/com/Activation.h"

namespace platform::com {
namespace {

bool isOption(const std::string& arg, char letter) {
    return arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') &&
           (arg[1] == letter || arg[1] == letter - 'a' + 'A');
}

std::string hex(HRESULT hr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
    return buf;
}

} // namespace

int runRegsvr(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    bool silent = false;
    bool unregister = false;
    std::string library;
    for (const std::string& arg : arguments) {
        if (isOption(arg, 's')) {
            silent = true;
        } else if (isOption(arg, 'u')) {
            unregister = true;
        } else if (library.empty() && !arg.empty()) {
            // Any other word is the library, paths starting with "/" included.
            library = arg;
        } else {
            library.clear();
            break;
        }
    }
    if (library.empty()) {
        err << "usage: regsvr [/s] [/u] LIBRARY\n";
        return kRegsvrBadArguments;
    }
    // The registry must name the library by its full path, whatever the current folder.
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(library, ec);
    if (ec) {
        path = library;
    }
    if (!library.empty() && library.find('/') == std::string::npos &&
        !std::filesystem::exists(path)) {
        path = library; // a bare name: let the loader search for it
    }
    std::string reason;
    void* handle = loadServerLibrary(path.string(), reason);
    if (handle == nullptr) {
        err << "LoadLibrary(\"" << library << "\") failed: " << reason << "\n";
        return kRegsvrLoadFailed;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto call = reinterpret_cast<DllRegisterServerFunction>(serverExport(handle, entry));
    if (call == nullptr) {
        err << library << " was loaded, but the " << entry << " entry point was not found.\n";
        return kRegsvrNoEntryPoint;
    }
    const HRESULT hr = call();
    if (FAILED(hr)) {
        err << entry << " in " << library << " failed. Return code was: " << hex(hr) << "\n";
        return kRegsvrCallFailed;
    }
    if (!silent) {
        out << entry << " in " << library << " succeeded.\n";
    }
    return kRegsvrOk;
}

} // namespace platform::com
