#include "register/ui/TBackupDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TBackupDlg::TBackupDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Backup"));
    setObjectName(QStringLiteral("TBackupDlg"));
    auto* text = new QLabel(
        QStringLiteral("Voulez-vous faire une copie de sauvegarde de tous vos comptes ?"), this);
    NePlusMontrer = new QCheckBox(QStringLiteral("Ne plus montrer cette fenêtre"), this);
    NePlusMontrer->setObjectName(QStringLiteral("NePlusMontrer"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* oui = buttons->addButton(QStringLiteral("Oui"), QDialogButtonBox::AcceptRole);
    oui->setObjectName(QStringLiteral("Oui"));
    QPushButton* non = buttons->addButton(QStringLiteral("Non"), QDialogButtonBox::RejectRole);
    non->setObjectName(QStringLiteral("Non"));
    oui->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(NePlusMontrer);
    layout->addWidget(buttons);
}

bool TBackupDlg::dontShowAgain() const {
    return NePlusMontrer->isChecked();
}
