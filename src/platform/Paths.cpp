#include "platform/Paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {

std::filesystem::path fromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path();
}

std::filesystem::path home() {
    std::filesystem::path h = fromEnv("HOME");
    return h.empty() ? std::filesystem::path("/tmp") : h;
}

std::string systemLoginName() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_name != nullptr) {
        return pw->pw_name;
    }
    return fromEnv("USER").string();
}

} // namespace

Paths::Paths(std::filesystem::path root, std::filesystem::path configRoot,
             std::filesystem::path programFolder, std::filesystem::path home, std::string loginName)
    : root_(std::move(root)), configRoot_(std::move(configRoot)),
      programFolder_(std::move(programFolder)), home_(std::move(home)),
      loginName_(std::move(loginName)) {}

Paths Paths::fromEnvironment(std::filesystem::path programFolder) {
    const std::filesystem::path ledgoraHome = fromEnv("LEDGORA_HOME");
    if (!ledgoraHome.empty()) {
        return Paths(ledgoraHome, ledgoraHome / "registry", std::move(programFolder),
                     fromEnv("HOME"), systemLoginName());
    }
    std::filesystem::path data = fromEnv("XDG_DATA_HOME");
    if (data.empty()) {
        data = home() / ".local" / "share";
    }
    std::filesystem::path config = fromEnv("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home() / ".config";
    }
    return Paths(data, config / std::string(kVendor), std::move(programFolder), fromEnv("HOME"),
                 systemLoginName());
}

std::filesystem::path Paths::dataFolder() const {
    return root_ / std::string(kVendor) / std::string(kAppTitle);
}

std::filesystem::path Paths::userFolder(const std::string& user) const {
    return dataFolder() / user;
}

std::filesystem::path Paths::accountFile(const std::string& user,
                                         const std::string& account) const {
    return userFolder(user) / (account + std::string(kAccountExtension));
}

std::filesystem::path Paths::planningFile(const std::string& user,
                                          const std::string& account) const {
    return userFolder(user) / (account + std::string(kPlanningExtension));
}

std::filesystem::path Paths::dataFile(const std::string& name) const {
    return dataFolder() / name;
}

std::filesystem::path Paths::programFile(const std::string& name) const {
    return programFolder_ / name;
}

} // namespace platform
