#include "ui/TPW.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

TPW::TPW(const QString& user, const QString& prompt, QWidget* parent) : QDialog(parent) {
    setWindowTitle(user);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    Edit1 = dialogparts::maskedEdit(this);
    layout->addWidget(Edit1);
    layout->addWidget(dialogparts::okCancel(this));
}

QString TPW::password() const {
    return Edit1->text();
}
