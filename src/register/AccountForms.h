// The register's own forms, those of the "&Compte" menu: new user, new account, save as,
// password change and the user chooser. AccountManager asks through this port; the
// program shows them with Qt (register/ui/QtAccountForms), tests answer from a script
// (ScriptedAccountForms). Messages and the generic asks go through platform::Dialogs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ledgora {

// What the user typed into one of the name forms (new user, new account, save as).
struct NameForm {
    std::string name;
    std::string password; // new user
    std::string amount;   // new account: the initial balance as typed
    bool euros = true;    // new account: the currency chosen
};
// Called when the user presses "OK": true lets the form close, false keeps it open
// (the check has told the user why).
using NameFormCheck = std::function<bool(const NameForm&)>;

struct PasswordChange {
    std::string oldPassword;
    std::string newPassword;
};

// How the user chooser was left.
struct UserChoice {
    enum class Outcome { Chosen, Cancelled, CreateUser };
    Outcome outcome = Outcome::Cancelled;
    int index = -1;
};

class AccountForms {
public:
    virtual ~AccountForms() = default;

    // The new-user form (name, masked password).
    virtual std::optional<NameForm> newUserForm(const NameFormCheck& check) = 0;
    // The new-account form (name, initial balance, currency); without a way to cancel
    // unless `canCancel`.
    virtual std::optional<NameForm> newAccountForm(bool canCancel, bool euros,
                                                   const NameFormCheck& check) = 0;
    // The save-as form (new name).
    virtual std::optional<NameForm> saveAsForm(const NameFormCheck& check) = 0;
    // Old and new password of `user`; the old one only when the user has one.
    virtual std::optional<PasswordChange> changePasswordForm(const std::string& user,
                                                             bool hasPassword) = 0;
    // The user chooser: a list refilled from `users()`, a button that deletes the selected
    // user through `deleteUser` and one that asks to create a new user.
    virtual UserChoice chooseUser(const std::string& caption,
                                  const std::function<std::vector<std::string>()>& users,
                                  int selected,
                                  const std::function<void(const std::string&)>& deleteUser) = 0;
};

} // namespace ledgora
