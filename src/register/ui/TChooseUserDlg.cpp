#include "register/ui/TChooseUserDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

TChooseUserDlg::TChooseUserDlg(const QString& caption,
                               std::function<std::vector<std::string>()> users, int selected,
                               std::function<void(const std::string&)> deleteUser, QWidget* parent)
    : QDialog(parent), users_(std::move(users)), deleteUser_(std::move(deleteUser)) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    layout->addWidget(ListBox1);
    // One above the other, each as wide as the dialog: side by side, the longer caption
    // was cut short.
    NewUserBtn = new QPushButton(QStringLiteral("Créer un nouvel utilisateur"), this);
    DeleteUserBtn = new QPushButton(QStringLiteral("Supprimer l'utilisateur sélectionné"), this);
    for (QPushButton* b : {NewUserBtn, DeleteUserBtn}) {
        b->setAutoDefault(false);
        b->setToolTip(b->text());
        layout->addWidget(b);
    }
    buttons_ = dialogparts::okCancel(this);
    layout->addWidget(buttons_);
    connect(NewUserBtn, &QPushButton::clicked, this, [this] {
        createUser_ = true;
        reject();
    });
    connect(DeleteUserBtn, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (buttons_->button(QDialogButtonBox::Ok)->isEnabled()) {
            accept();
        }
    });
    refill(selected, false);
    resize(380, 300);
}

void TChooseUserDlg::refill(int selected, bool afterDeletion) {
    const auto list = users_();
    dialogparts::fillList(ListBox1, list, selected);
    // After a deletion the same place stays selected, or the last user when it was last.
    if (afterDeletion && selected >= ListBox1->count() && ListBox1->count() > 0) {
        ListBox1->setCurrentRow(ListBox1->count() - 1);
    }
    const bool any = ListBox1->count() > 0;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(any);
    DeleteUserBtn->setEnabled(any);
}

void TChooseUserDlg::deleteSelected() {
    const int row = ListBox1->currentRow();
    if (row < 0) {
        return;
    }
    deleteUser_(ListBox1->item(row)->text().toStdString());
    refill(row, true);
}

ledgora::UserChoice TChooseUserDlg::choice() const {
    if (createUser_) {
        return {ledgora::UserChoice::Outcome::CreateUser, -1};
    }
    if (result() == QDialog::Accepted && ListBox1->currentRow() >= 0) {
        return {ledgora::UserChoice::Outcome::Chosen, ListBox1->currentRow()};
    }
    return {};
}
