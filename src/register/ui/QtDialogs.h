// The Dialogs port shown with Qt: message boxes with French buttons, and the forms of
// the "&Compte" menu, all modal over the given parent window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

class QtDialogs : public platform::Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    platform::Reply message(platform::MessageKind kind, const std::string& text,
                            platform::Buttons buttons, const std::string& title = {}) override;
    std::optional<int> chooseFromList(const std::string& caption,
                                      const std::vector<std::string>& items, int selected) override;
    std::optional<std::string> askPassword(const std::string& caption,
                                           const std::string& prompt) override;
    std::optional<platform::NameForm> newUserForm(const platform::NameFormCheck& check) override;
    std::optional<platform::NameForm> newAccountForm(bool canCancel, bool euros,
                                                     const platform::NameFormCheck& check) override;
    std::optional<platform::NameForm> saveAsForm(const platform::NameFormCheck& check) override;
    std::optional<platform::PasswordChange> changePasswordForm(const std::string& user,
                                                               bool hasPassword) override;
    platform::UserChoice
    chooseUser(const std::string& caption, const std::function<std::vector<std::string>()>& users,
               int selected, const std::function<void(const std::string&)>& deleteUser) override;

private:
    QPointer<QWidget> parent_;
};
