#include "ui/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace dialogparts {

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLineEdit* maskedEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

void fillList(QListWidget* list, const std::vector<std::string>& items, int selected) {
    list->clear();
    for (const auto& item : items) {
        list->addItem(QString::fromStdString(item));
    }
    if (list->count() > 0) {
        list->setCurrentRow(selected >= 0 && selected < list->count() ? selected : 0);
    }
}

} // namespace dialogparts
