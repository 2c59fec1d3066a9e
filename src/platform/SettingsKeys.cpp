#include "platform/SettingsKeys.h"

#include "platform/Paths.h"

namespace platform::settings {

std::string root() {
    return "Software\\" + std::string(platform::kVendor) + "\\" + std::string(platform::kAppTitle);
}
std::string mainWindowKey() {
    return root() + "\\MainW";
}
std::string optionsKey() {
    return root() + "\\Options";
}
std::string calculatorKey() {
    return root() + "\\Calculat";
}
std::string usersKey() {
    return root() + "\\Users";
}
std::string userKey(const std::string& user) {
    return usersKey() + "\\" + user;
}
std::string accountKey(const std::string& user, const std::string& account) {
    return userKey(user) + "\\" + account;
}
std::string alarmsKey(const std::string& user, const std::string& account) {
    return accountKey(user, account) + "\\Alarmes";
}

} // namespace platform::settings
