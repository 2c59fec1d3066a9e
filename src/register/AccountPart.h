// What lives per account beside the register (the planning, the bank statement balance,
// the budgets): a part is told when the open account is created, loaded, saved, converted
// and closed, and when an account is deleted. The workspace registers the parts once; the session
// never knows their types.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ledgora {

// The account a part is told about.
struct AccountRef {
    const std::string& user;
    const std::string& account;
    bool euros;
};

// What a part has the account's save write for it. The save journals it with the
// register (see SaveJournal), so that a crash in the middle never leaves a part's file or
// values from another save than the register's.
struct PartSave {
    // Files of the account's folder, by name, with their whole new bytes.
    std::vector<std::pair<std::string, std::string>> files;
    // String values of the account's settings key.
    std::vector<std::pair<std::string, std::string>> values;
};

class AccountPart {
public:
    virtual ~AccountPart() = default;

    // A fresh account: the part starts empty.
    virtual void created(const AccountRef&) {}
    // The account's register was loaded; the part reads its own files and settings.
    virtual void loaded(const AccountRef&) {}
    // Before anything is written: what the save writes with the register, in the order of
    // the parts.
    virtual void saving(const AccountRef&, PartSave&) {}
    // After the register and every part's PartSave were written: what the part writes on
    // its own. False stops the save of the rest; the part has told the user why.
    virtual bool save(const AccountRef&) { return true; }
    // The display currency changed; `account.euros` is the new one.
    virtual void converted(const AccountRef&, bool /*toEuros*/) {}
    // The account is no longer open.
    virtual void closed() {}
    // The account was deleted (open or not): the part removes its own files. Its settings
    // go with the account's key.
    virtual void removed(const AccountRef&) {}
};

} // namespace ledgora
