// The small forms of the "&Compte" menu: the password prompt `TPW`, the new-user form
// `TNewUser`, the new-account form `TNewCompte`, the save-as form `TSaveD` and the password
// change `TPasswordDlg`. The name forms ask their check before closing on "OK".
#pragma once

#include <QDialog>

#include "platform/Dialogs.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TFloatEdit;

class TPW : public QDialog {
    Q_OBJECT
public:
    TPW(const QString& user, const QString& prompt, QWidget* parent = nullptr);
    QString password() const;

private:
    QLineEdit* Edit1;
};

// Base of the forms whose "OK" is enabled only while a name is typed, and which close
// only when their check accepts what was typed.
class NameFormDialog : public QDialog {
    Q_OBJECT
public:
    NameFormDialog(platform::NameFormCheck check, QWidget* parent);
    virtual platform::NameForm form() const = 0;

public slots:
    void accept() override;

protected:
    // Adds the buttons under `body` and wires the name field.
    void finish(QLineEdit* name, QLayout* body, bool canCancel = true);
    QDialogButtonBox* buttons_ = nullptr;

private:
    void updateOk();
    platform::NameFormCheck check_;
    QLineEdit* name_ = nullptr;
};

class TNewUser : public NameFormDialog {
    Q_OBJECT
public:
    explicit TNewUser(platform::NameFormCheck check, QWidget* parent = nullptr);
    platform::NameForm form() const override;

private:
    QLineEdit* NomEdit;
    QLineEdit* PasswordEdit;
};

class TNewCompte : public NameFormDialog {
    Q_OBJECT
public:
    TNewCompte(bool canCancel, bool euros, platform::NameFormCheck check,
               QWidget* parent = nullptr);
    platform::NameForm form() const override;

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

class TSaveD : public NameFormDialog {
    Q_OBJECT
public:
    explicit TSaveD(platform::NameFormCheck check, QWidget* parent = nullptr);
    platform::NameForm form() const override;

private:
    QLineEdit* NomEdit;
};

class TPasswordDlg : public QDialog {
    Q_OBJECT
public:
    TPasswordDlg(const QString& user, bool hasPassword, QWidget* parent = nullptr);
    platform::PasswordChange change() const;

private:
    QLineEdit* AncienEdit;
    QLineEdit* NouveauEdit;
};
