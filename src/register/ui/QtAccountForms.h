// The Dialogs port with the register's own forms, those of the "&Compte" menu: new user,
// new account, save as, password change and the user chooser, modal over the parent
// window like the generic asks of QtDialogs.
#pragma once

#include "ui/QtDialogs.h"

class QtAccountForms : public QtDialogs {
public:
    using QtDialogs::QtDialogs;

    std::optional<platform::NameForm> newUserForm(const platform::NameFormCheck& check) override;
    std::optional<platform::NameForm> newAccountForm(bool canCancel, bool euros,
                                                     const platform::NameFormCheck& check) override;
    std::optional<platform::NameForm> saveAsForm(const platform::NameFormCheck& check) override;
    std::optional<platform::PasswordChange> changePasswordForm(const std::string& user,
                                                               bool hasPassword) override;
    platform::UserChoice
    chooseUser(const std::string& caption, const std::function<std::vector<std::string>()>& users,
               int selected, const std::function<void(const std::string&)>& deleteUser) override;
};
