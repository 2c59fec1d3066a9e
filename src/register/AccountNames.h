// The users and accounts on disk: users are the folders of the data folder, accounts
// the ".ldg" files of a user's folder. Names become file names and settings keys, so a
// name that would reach outside its folder or that a key cannot hold is refused before
// anything is created. Names are compared without regard to case, as the keys are.
#pragma once

#include <optional>
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

// A name the user may give a new user or account: safe, without control characters (a
// pasted line break), and made only of characters that Windows-1252, the code page of the
// settings store and of every file, can hold.
bool isAcceptableName(const std::string& name);

// The name of `names` equal to `name` without regard to case: that user or account is the
// one `name` means.
std::optional<std::string> sameName(const std::vector<std::string>& names, const std::string& name);

} // namespace ledgora
