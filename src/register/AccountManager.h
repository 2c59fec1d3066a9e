// The commands of the "&Compte" menu that choose, create and delete users and accounts,
// with their dialogs and messages. Every change of user or account first saves the open
// account. The current user's password is kept here in clear for the run. The forms go
// through the register's AccountForms port, the messages through platform::Dialogs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/AccountChoices.h"
#include "register/AccountForms.h"
#include "register/AccountPart.h"
#include "register/AccountSession.h"

namespace ledgora {

class AccountManager {
public:
    AccountManager(AccountSession& session, platform::Registry& registry,
                   const platform::Paths& paths, platform::Dialogs& dialogs, AccountForms& forms,
                   AccountChoices& choices);

    std::vector<std::string> users() const;
    // The current user's accounts.
    std::vector<std::string> accounts() const;
    bool hasUser() const { return !session_.user().empty(); }
    const std::string& password() const { return password_; }

    // "&Utilisateur" > "&Choisir...": then opens an account, or creates the first one.
    void chooseUser();
    // "&Utilisateur" > "&Nouveau...": true when a user was created.
    bool newUser();
    // Deletes the user with all its accounts, after its password and a confirmation; true
    // when it was deleted.
    bool deleteUser(const std::string& name);
    // "&Utilisateur" > "&Supprimer...": the chooser, then deleteUser().
    void deleteUserCommand();
    // "&Nouveau..." (account): true when an account was created.
    bool newAccount();
    // "&Ouvrir...": true when an account was opened.
    bool openAccount();
    // Told after openAccount() loaded the chosen account (also when choosing a user ends
    // there), before the command returns: the scheduled operations come in at that point.
    void setOpenedListener(std::function<void()> listener) { opened_ = std::move(listener); }
    // Told after the user created an account, whichever command led there ("&Nouveau...",
    // a new user, a user with no account yet), before the command returns.
    void setCreatedListener(std::function<void()> listener) { created_ = std::move(listener); }
    // Told when an account's register file was deleted (the account, or its user, was
    // deleted), before its folder is: the account's parts remove their own files.
    void setRemovedListener(std::function<void(const AccountRef&)> listener) {
        removed_ = std::move(listener);
    }
    // "&Supprimer..." (account).
    void deleteAccount();
    // "En&registrer sous...".
    void saveAs();
    // "&Options" > "&Mot de passe...".
    void changePassword();

    // The stored password of a user, in clear ("" for none).
    std::string storedPassword(const std::string& user) const;

private:
    bool checkNewAccountName(const std::string& name);
    // Deletes the files of `account` of `user`, telling the removed listener.
    void removeAccountFiles(const std::string& user, const std::string& account);

    AccountSession& session_;
    platform::Registry& registry_;
    const platform::Paths& paths_;
    platform::Dialogs& dialogs_;
    AccountForms& forms_;
    AccountChoices& choices_;
    std::string password_;
    std::function<void()> opened_;
    std::function<void()> created_;
    std::function<void(const AccountRef&)> removed_;
};

} // namespace ledgora
