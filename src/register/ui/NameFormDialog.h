// The base of the name forms of the "&Compte" menu (new user, new account, save as): "OK"
// is enabled only while a name is typed, and the form closes only when its check accepts
// what was typed.
#pragma once

#include <QDialog>

#include "register/AccountForms.h"

class QDialogButtonBox;
class QLayout;
class QLineEdit;

class NameFormDialog : public QDialog {
    Q_OBJECT
public:
    NameFormDialog(ledgora::NameFormCheck check, QWidget* parent);
    virtual ledgora::NameForm form() const = 0;

public slots:
    void accept() override;

protected:
    // Adds the buttons under `body` and wires the name field.
    void finish(QLineEdit* name, QLayout* body, bool canCancel = true);
    // The new-user and new-account names may not hold "_", which the handheld exchange
    // uses in place of spaces.
    static void refuseUnderscore(QLineEdit* edit);
    QDialogButtonBox* buttons_ = nullptr;

private:
    void updateOk();
    ledgora::NameFormCheck check_;
    QLineEdit* name_ = nullptr;
};
