// The new-user form `TNewUser`: the user's name and an optional masked password.
#pragma once

#include "register/ui/NameFormDialog.h"

class QLineEdit;

class TNewUser : public NameFormDialog {
    Q_OBJECT
public:
    explicit TNewUser(ledgora::NameFormCheck check, QWidget* parent = nullptr);
    ledgora::NameForm form() const override;

private:
    QLineEdit* NomEdit;
    QLineEdit* PasswordEdit;
};
