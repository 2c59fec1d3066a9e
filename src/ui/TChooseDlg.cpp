#include "ui/TChooseDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

TChooseDlg::TChooseDlg(const QString& caption, const std::vector<std::string>& items, int selected,
                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Dialogue") : caption);
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    dialogparts::fillList(ListBox1, items, selected);
    layout->addWidget(ListBox1);
    buttons_ = dialogparts::okCancel(this);
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
