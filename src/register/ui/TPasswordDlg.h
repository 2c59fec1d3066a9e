// The password change `TPasswordDlg`: the old password (only when the user has one) and
// the new one, both masked.
#pragma once

#include <QDialog>

#include "register/AccountForms.h"

class QLineEdit;

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    TPasswordDlg(const QString& user, bool hasPassword, QWidget* parent = nullptr);
    ledgora::PasswordChange change() const;

private:
    QLineEdit* AncienEdit;
    QLineEdit* NouveauEdit;
};
