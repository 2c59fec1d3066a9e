// The register's forms shown with Qt, those of the "&Compte" menu: new user, new account,
// save as, password change and the user chooser, modal over the parent window (or the
// active one) like the generic asks of QtDialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "register/AccountForms.h"

class QtAccountForms : public ledgora::AccountForms {
public:
    explicit QtAccountForms(QWidget* parent = nullptr) : parent_(parent) {}

    std::optional<ledgora::NameForm> newUserForm(const ledgora::NameFormCheck& check) override;
    std::optional<ledgora::NameForm> newAccountForm(bool canCancel, bool euros,
                                                    const ledgora::NameFormCheck& check) override;
    std::optional<ledgora::NameForm> saveAsForm(const ledgora::NameFormCheck& check) override;
    std::optional<ledgora::PasswordChange> changePasswordForm(const std::string& user,
                                                              bool hasPassword) override;
    ledgora::UserChoice
    chooseUser(const std::string& caption, const std::function<std::vector<std::string>()>& users,
               int selected, const std::function<void(const std::string&)>& deleteUser) override;

private:
    QWidget* parentWindow() const;

    QPointer<QWidget> parent_;
};
