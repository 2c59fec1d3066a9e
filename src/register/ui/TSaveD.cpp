#include "register/ui/TSaveD.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TSaveD::TSaveD(ledgora::NameFormCheck check, QWidget* parent)
    : NameFormDialog(std::move(check), parent) {
    setWindowTitle(QStringLiteral("Enregistrer sous"));
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Donnez un nouveau nom au compte :"), this));
    NomEdit = new QLineEdit(this);
    body->addWidget(NomEdit);
    finish(NomEdit, body);
}

ledgora::NameForm TSaveD::form() const {
    return {NomEdit->text().toStdString(), {}, {}, true};
}
