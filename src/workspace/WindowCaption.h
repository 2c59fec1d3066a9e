// The main window's caption, which also names its print jobs and titles its printouts.
#pragma once

#include <string>

namespace ledgora {

// "Ledgora", then " - " + user when there is one, then " : compte "account"" and
// " (Euros)" or " (Francs)" when an account is open (`account` not empty).
std::string windowCaption(const std::string& user, const std::string& account, bool euros);

} // namespace ledgora
