#include "register/ui/TNewUser.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

TNewUser::TNewUser(ledgora::NameFormCheck check, QWidget* parent)
    : NameFormDialog(std::move(check), parent) {
    setWindowTitle(QStringLiteral("Nouvel utilisateur"));
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Nom de l'utilisateur :"), this));
    NomEdit = new QLineEdit(this);
    refuseUnderscore(NomEdit);
    body->addWidget(NomEdit);
    auto* group = new QGroupBox(QStringLiteral("Mot de passe"), this);
    auto* groupLayout = new QVBoxLayout(group);
    PasswordEdit = dialogparts::maskedEdit(group);
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

ledgora::NameForm TNewUser::form() const {
    return {NomEdit->text().toStdString(), PasswordEdit->text().toStdString(), {}, true};
}
