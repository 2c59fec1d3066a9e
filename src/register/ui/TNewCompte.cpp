#include "register/ui/TNewCompte.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/TFloatEdit.h"

TNewCompte::TNewCompte(bool canCancel, bool euros, ledgora::NameFormCheck check, QWidget* parent)
    : NameFormDialog(std::move(check), parent), canCancel_(canCancel) {
    setWindowTitle(QStringLiteral("Nouveau compte"));
    // No close box: the first account of a user cannot be skipped.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Donnez un nom au nouveau compte :"), this));
    NomEdit = new QLineEdit(this);
    refuseUnderscore(NomEdit);
    body->addWidget(NomEdit);
    body->addWidget(new QLabel(QStringLiteral("Solde initial :"), this));
    SoldeEdit = new TFloatEdit(this);
    body->addWidget(SoldeEdit);
    auto* note = new QLabel(
        QStringLiteral("(si le solde initial est débiteur, le faire précéder par un signe \"-\")"),
        this);
    note->setWordWrap(true);
    body->addWidget(note);
    auto* currency = new QHBoxLayout;
    FrancsBtn = new QRadioButton(QStringLiteral("Francs"), this);
    EurosBtn = new QRadioButton(QStringLiteral("Euros"), this);
    (euros ? EurosBtn : FrancsBtn)->setChecked(true);
    currency->addWidget(FrancsBtn);
    currency->addWidget(EurosBtn);
    currency->addStretch();
    body->addLayout(currency);
    finish(NomEdit, body, canCancel);
}

ledgora::NameForm TNewCompte::form() const {
    return {
        NomEdit->text().toStdString(), {}, SoldeEdit->text().toStdString(), EurosBtn->isChecked()};
}

void TNewCompte::reject() {
    if (canCancel_) {
        QDialog::reject();
    }
}
