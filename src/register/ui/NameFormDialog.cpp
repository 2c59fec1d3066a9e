#include "register/ui/NameFormDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

NameFormDialog::NameFormDialog(ledgora::NameFormCheck check, QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {}

void NameFormDialog::refuseUnderscore(QLineEdit* edit) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^_]*")), edit));
}

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
