#include "workspace/WindowCaption.h"

#include "platform/Paths.h"

namespace ledgora {

std::string windowCaption(const std::string& user, const std::string& account, bool euros) {
    std::string text(platform::kAppTitle);
    if (!user.empty()) {
        text += " - " + user;
    }
    if (!account.empty()) {
        text += " : compte \"" + account + "\"";
        text += euros ? " (Euros)" : " (Francs)";
    }
    return text;
}

} // namespace ledgora
