// What lives per account beside the register (the planning, the bank statement balance,
// the budgets): a part is told when the open account is created, loaded, saved, converted
// and closed. The workspace registers the parts once; the session never knows their types.
#pragma once

#include <string>

namespace ledgora {

// The account a part is told about.
struct AccountRef {
    const std::string& user;
    const std::string& account;
    bool euros;
};

class AccountPart {
public:
    virtual ~AccountPart() = default;

    // A fresh account: the part starts empty.
    virtual void created(const AccountRef&) {}
    // The account's register was loaded; the part reads its own files and settings.
    virtual void loaded(const AccountRef&) {}
    // Writes the part's own files and settings. False stops the save of the rest; the part
    // has told the user why.
    virtual bool save(const AccountRef&) { return true; }
    // The display currency changed; `account.euros` is the new one.
    virtual void converted(const AccountRef&, bool /*toEuros*/) {}
    // The account is no longer open.
    virtual void closed() {}
};

} // namespace ledgora
