#include "register/ui/TPasswordDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

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
    AncienEdit = dialogparts::maskedEdit(this);
    NouveauEdit = dialogparts::maskedEdit(this);
    auto* ancienLabel = new QLabel(QStringLiteral("Ancien mot de passe :"), this);
    form->addRow(ancienLabel, AncienEdit);
    form->addRow(new QLabel(QStringLiteral("Nouveau mot de passe :"), this), NouveauEdit);
    ancienLabel->setEnabled(hasPassword);
    AncienEdit->setEnabled(hasPassword);
    layout->addLayout(form);
    layout->addWidget(dialogparts::okCancel(this));
}

ledgora::PasswordChange TPasswordDlg::change() const {
    return {AncienEdit->text().toStdString(), NouveauEdit->text().toStdString()};
}
