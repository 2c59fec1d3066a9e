#include "register/ui/ChooseDialogs.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void fill(QListWidget* list, const std::vector<std::string>& items, int selected) {
    list->clear();
    for (const auto& item : items) {
        list->addItem(QString::fromStdString(item));
    }
    if (list->count() > 0) {
        list->setCurrentRow(selected >= 0 && selected < list->count() ? selected : 0);
    }
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

TChooseDlg::TChooseDlg(const QString& caption, const std::vector<std::string>& items, int selected,
                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Dialogue") : caption);
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    fill(ListBox1, items, selected);
    layout->addWidget(ListBox1);
    buttons_ = okCancel(this);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(ListBox1->count() > 0);
    layout->addWidget(buttons_);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (buttons_->button(QDialogButtonBox::Ok)->isEnabled()) {
            accept();
        }
    });
    resize(320, 280);
}

int TChooseDlg::chosen() const {
    return ListBox1->currentRow();
}

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
    buttons_ = okCancel(this);
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
    fill(ListBox1, list, selected);
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

platform::UserChoice TChooseUserDlg::choice() const {
    if (createUser_) {
        return {platform::UserChoice::Outcome::CreateUser, -1};
    }
    if (result() == QDialog::Accepted && ListBox1->currentRow() >= 0) {
        return {platform::UserChoice::Outcome::Chosen, ListBox1->currentRow()};
    }
    return {};
}
