#include "register/ui/QtAccountForms.h"

#include "register/ui/TChooseUserDlg.h"
#include "register/ui/TNewCompte.h"
#include "register/ui/TNewUser.h"
#include "register/ui/TPasswordDlg.h"
#include "register/ui/TSaveD.h"

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

std::optional<platform::NameForm>
QtAccountForms::newUserForm(const platform::NameFormCheck& check) {
    TNewUser dialog(check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<platform::NameForm>
QtAccountForms::newAccountForm(bool canCancel, bool euros, const platform::NameFormCheck& check) {
    TNewCompte dialog(canCancel, euros, check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<platform::NameForm> QtAccountForms::saveAsForm(const platform::NameFormCheck& check) {
    TSaveD dialog(check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<platform::PasswordChange> QtAccountForms::changePasswordForm(const std::string& user,
                                                                           bool hasPassword) {
    TPasswordDlg dialog(q(user), hasPassword, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.change();
}

platform::UserChoice
QtAccountForms::chooseUser(const std::string& caption,
                           const std::function<std::vector<std::string>()>& users, int selected,
                           const std::function<void(const std::string&)>& deleteUser) {
    TChooseUserDlg dialog(q(caption), users, selected, deleteUser, parentWindow());
    dialog.exec();
    return dialog.choice();
}
