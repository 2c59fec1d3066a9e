// The register's forms for tests: the scripted dialogs double that also answers the
// "&Compte" forms from the same script (see platform::ScriptedDialogs), so one script
// orders the forms and the messages of a command as the user meets them.
#pragma once

#include "platform/ScriptedDialogs.h"
#include "register/AccountForms.h"

namespace ledgora {

class ScriptedAccountForms : public platform::ScriptedDialogs, public AccountForms {
public:
    // fill() answers: newUserForm {name, password}, newAccountForm {name, amount} with the
    // flag = euros, saveAsForm {name}, changePasswordForm {old, new}. A form whose check
    // refuses what was typed takes the next answer, as a user trying again.
    std::optional<NameForm> newUserForm(const NameFormCheck& check) override;
    std::optional<NameForm> newAccountForm(bool canCancel, bool euros,
                                           const NameFormCheck& check) override;
    std::optional<NameForm> saveAsForm(const NameFormCheck& check) override;
    std::optional<PasswordChange> changePasswordForm(const std::string& user,
                                                     bool hasPassword) override;
    UserChoice chooseUser(const std::string& caption,
                          const std::function<std::vector<std::string>()>& users, int selected,
                          const std::function<void(const std::string&)>& deleteUser) override;

    // How the last new-account form was opened.
    bool lastFormCouldCancel() const { return lastCanCancel_; }
    bool lastFormEuros() const { return lastEuros_; }

private:
    std::optional<NameForm> form(const NameFormCheck& check, NameForm (*toForm)(const Answer&));

    bool lastCanCancel_ = true;
    bool lastEuros_ = true;
};

} // namespace ledgora
