#include "app/TAboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/Version.h"
#include "ui/Pictures.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("A propos"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(pictures::logo().pixmap(64, 64));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(QString::fromLatin1(version::kTitle), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    texts->addWidget(title);
    texts->addWidget(new QLabel(QString::fromLatin1(version::kText), this));
    texts->addWidget(new QLabel(QString::fromLatin1(version::kDate), this));
    texts->addWidget(new QLabel(QString::fromLatin1(version::kDescription), this));
    top->addLayout(texts);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
