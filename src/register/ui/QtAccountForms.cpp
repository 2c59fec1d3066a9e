#include "register/ui/QtAccountForms.h"

#include "register/ui/TChooseUserDlg.h"
#include "register/ui/TNewCompte.h"
#include "register/ui/TNewUser.h"
#include "register/ui/TPasswordDlg.h"
#include "register/ui/TSaveD.h"
#include "ui/QtDialogs.h"

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QWidget* QtAccountForms::parentWindow() const {
    return QtDialogs::modalParent(parent_);
}

std::optional<ledgora::NameForm> QtAccountForms::newUserForm(const ledgora::NameFormCheck& check) {
    TNewUser dialog(check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<ledgora::NameForm>
QtAccountForms::newAccountForm(bool canCancel, bool euros, const ledgora::NameFormCheck& check) {
    TNewCompte dialog(canCancel, euros, check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<ledgora::NameForm> QtAccountForms::saveAsForm(const ledgora::NameFormCheck& check) {
    TSaveD dialog(check, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.form();
}

std::optional<ledgora::PasswordChange> QtAccountForms::changePasswordForm(const std::string& user,
                                                                          bool hasPassword) {
    TPasswordDlg dialog(q(user), hasPassword, parentWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.change();
}

ledgora::UserChoice
QtAccountForms::chooseUser(const std::string& caption,
                           const std::function<std::vector<std::string>()>& users, int selected,
                           const std::function<void(const std::string&)>& deleteUser) {
    TChooseUserDlg dialog(q(caption), users, selected, deleteUser, parentWindow());
    dialog.exec();
    return dialog.choice();
}
