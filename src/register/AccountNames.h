// The users and accounts on disk: users are the folders of the data folder, accounts
// the ".ldg" files of a user's folder. Names become file names, so a name that would
// reach outside its folder is refused before anything is created.
#pragma once

#include <string>
#include <vector>

#include "platform/Paths.h"

namespace ledgora {

// The users, in alphabetical order.
std::vector<std::string> listUsers(const platform::Paths& paths);

// The user's accounts (file names without ".ldg"), in alphabetical order.
std::vector<std::string> listAccounts(const platform::Paths& paths, const std::string& user);

// A name that can name a folder or file of its own: not empty, not "." or "..", without
// "/" or "\".
bool isSafeName(const std::string& name);

} // namespace ledgora
