#include "register/AccountNames.h"

#include <algorithm>
#include <filesystem>

#include "platform/Cp1252.h"
#include "platform/TextCase.h"
#include "register/FrenchCollation.h"

namespace ledgora {
namespace {

void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), frenchLess);
}

} // namespace

std::vector<std::string> listUsers(const platform::Paths& paths) {
    std::vector<std::string> users;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(paths.dataFolder(), ec)) {
        std::error_code typeError;
        if (entry.is_directory(typeError)) {
            users.push_back(entry.path().filename().string());
        }
    }
    sortNames(users);
    return users;
}

std::vector<std::string> listAccounts(const platform::Paths& paths, const std::string& user) {
    std::vector<std::string> accounts;
    if (user.empty()) {
        return accounts;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(paths.userFolder(user), ec)) {
        std::error_code typeError;
        const auto& p = entry.path();
        if (entry.is_regular_file(typeError) && p.extension() == platform::kAccountExtension &&
            !p.stem().empty()) {
            accounts.push_back(p.stem().string());
        }
    }
    sortNames(accounts);
    return accounts;
}

bool isSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

bool isAcceptableName(const std::string& name) {
    return isSafeName(name) && !platform::hasControlCharacter(name) && platform::fitsCp1252(name);
}

std::optional<std::string> sameName(const std::vector<std::string>& names,
                                    const std::string& name) {
    for (const std::string& n : names) {
        if (platform::equalsIgnoreCase(n, name)) {
            return n;
        }
    }
    return std::nullopt;
}

} // namespace ledgora
