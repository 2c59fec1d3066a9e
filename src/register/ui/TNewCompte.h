// The new-account form `TNewCompte`: the account's name, its initial balance and its
// currency; without a way out when the user has no account yet.
#pragma once

#include "register/ui/NameFormDialog.h"

class QLineEdit;
class QRadioButton;
class TFloatEdit;

class TNewCompte : public NameFormDialog {
    Q_OBJECT
public:
    TNewCompte(bool canCancel, bool euros, ledgora::NameFormCheck check, QWidget* parent = nullptr);
    ledgora::NameForm form() const override;

public slots:
    // Without an open account there is no way out but creating one.
    void reject() override;

private:
    bool canCancel_;
    QLineEdit* NomEdit;
    TFloatEdit* SoldeEdit;
    QRadioButton* FrancsBtn;
    QRadioButton* EurosBtn;
};
