#include "register/ui/NameDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "register/ui/TFloatEdit.h"

namespace {

std::string utf8(const QString& s) {
    return s.toStdString();
}

// The new-user and new-account names may not hold "_", which the handheld exchange uses
// in place of spaces.
void refuseUnderscore(QLineEdit* edit) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^_]*")), edit));
}

QLineEdit* maskedEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

TPW::TPW(const QString& user, const QString& prompt, QWidget* parent) : QDialog(parent) {
    setWindowTitle(user);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    Edit1 = maskedEdit(this);
    layout->addWidget(Edit1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString TPW::password() const {
    return Edit1->text();
}

NameFormDialog::NameFormDialog(platform::NameFormCheck check, QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {}

void NameFormDialog::finish(QLineEdit* name, QLayout* body, bool canCancel) {
    name_ = name;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    buttons_->button(QDialogButtonBox::Cancel)->setEnabled(canCancel);
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons_, &QDialogButtonBox::accepted, this, &NameFormDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, [this] { updateOk(); });
    layout->addWidget(buttons_);
    updateOk();
}

void NameFormDialog::updateOk() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!name_->text().isEmpty());
}

void NameFormDialog::accept() {
    // Enter in a field comes here too: it acts as "OK" only while a name is typed.
    if (name_->text().isEmpty()) {
        return;
    }
    if (check_ && !check_(form())) {
        // The name was refused (its message said why): it is the field to correct.
        name_->setFocus();
        name_->selectAll();
        return;
    }
    QDialog::accept();
}

TNewUser::TNewUser(platform::NameFormCheck check, QWidget* parent)
    : NameFormDialog(std::move(check), parent) {
    setWindowTitle(QStringLiteral("Nouvel utilisateur"));
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Nom de l'utilisateur :"), this));
    NomEdit = new QLineEdit(this);
    refuseUnderscore(NomEdit);
    body->addWidget(NomEdit);
    auto* group = new QGroupBox(QStringLiteral("Mot de passe"), this);
    auto* groupLayout = new QVBoxLayout(group);
    PasswordEdit = maskedEdit(group);
    refuseUnderscore(PasswordEdit);
    groupLayout->addWidget(PasswordEdit);
    auto* note = new QLabel(QStringLiteral("(si vous ne voulez pas utiliser de mot de passe pour "
                                           "cet utilisateur, ne remplissez pas ce champ)"),
                            group);
    note->setWordWrap(true);
    groupLayout->addWidget(note);
    body->addWidget(group);
    finish(NomEdit, body);
}

platform::NameForm TNewUser::form() const {
    return {utf8(NomEdit->text()), utf8(PasswordEdit->text()), {}, true};
}

TNewCompte::TNewCompte(bool canCancel, bool euros, platform::NameFormCheck check, QWidget* parent)
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

platform::NameForm TNewCompte::form() const {
    return {utf8(NomEdit->text()), {}, utf8(SoldeEdit->text()), EurosBtn->isChecked()};
}

void TNewCompte::reject() {
    if (canCancel_) {
        QDialog::reject();
    }
}

TSaveD::TSaveD(platform::NameFormCheck check, QWidget* parent)
    : NameFormDialog(std::move(check), parent) {
    setWindowTitle(QStringLiteral("Enregistrer sous"));
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Donnez un nouveau nom au compte :"), this));
    NomEdit = new QLineEdit(this);
    body->addWidget(NomEdit);
    finish(NomEdit, body);
}

platform::NameForm TSaveD::form() const {
    return {utf8(NomEdit->text()), {}, {}, true};
}

TPasswordDlg::TPasswordDlg(const QString& user, bool hasPassword, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Changement du mot de passe"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(user, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    layout->addWidget(name);
    auto* form = new QFormLayout;
    AncienEdit = maskedEdit(this);
    NouveauEdit = maskedEdit(this);
    auto* ancienLabel = new QLabel(QStringLiteral("Ancien mot de passe :"), this);
    form->addRow(ancienLabel, AncienEdit);
    form->addRow(new QLabel(QStringLiteral("Nouveau mot de passe :"), this), NouveauEdit);
    ancienLabel->setEnabled(hasPassword);
    AncienEdit->setEnabled(hasPassword);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

platform::PasswordChange TPasswordDlg::change() const {
    return {utf8(AncienEdit->text()), utf8(NouveauEdit->text())};
}
