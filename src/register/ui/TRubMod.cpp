#include "register/ui/TRubMod.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TRubMod::TRubMod(const ledgora::NameList& categories, const ledgora::NameList& modes,
                 QWidget* parent)
    : QDialog(parent), categories_(categories), modes_(modes) {
    setWindowTitle(QStringLiteral("Rubriques et modes de paiement"));
    rubriques_.editor = &categories_;
    modesSide_.editor = &modes_;
    auto* layout = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    sides->addWidget(buildSide(QStringLiteral("Rubriques"), rubriques_));
    sides->addWidget(buildSide(QStringLiteral("Modes de paiement"), modesSide_));
    layout->addLayout(sides);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    show(rubriques_);
    show(modesSide_);
    resize(560, 440);
}

QWidget* TRubMod::buildSide(const QString& title, Side& side) {
    auto* group = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(group);
    side.list = new QListWidget(group);
    side.list->installEventFilter(this);
    side.field = new QLineEdit(group);
    layout->addWidget(side.list);
    layout->addWidget(side.field);
    auto* row = new QHBoxLayout;
    auto* remove = new QPushButton(QStringLiteral("Supprimer"), group);
    auto* replace = new QPushButton(QStringLiteral("Remplacer par :"), group);
    auto* add = new QPushButton(QStringLiteral("Ajouter"), group);
    for (QPushButton* b : {remove, replace, add}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);

    Side* s = &side;
    connect(side.list, &QListWidget::currentRowChanged, this, [this, s](int row) {
        if (row >= 0 && row != s->editor->selected()) {
            s->editor->select(row);
            s->field->setText(QString::fromStdString(s->editor->field()));
        }
    });
    connect(side.list, &QListWidget::itemClicked, this, [this, s] {
        s->editor->select(s->list->currentRow());
        s->field->setText(QString::fromStdString(s->editor->field()));
    });
    connect(side.field, &QLineEdit::textEdited, this,
            [s](const QString& text) { s->editor->setField(text.toStdString()); });
    connect(remove, &QPushButton::clicked, this, [this, s] {
        s->editor->remove();
        show(*s);
    });
    connect(replace, &QPushButton::clicked, this, [this, s] {
        s->editor->replace();
        show(*s);
    });
    connect(add, &QPushButton::clicked, this, [this, s] {
        s->editor->add();
        show(*s);
    });
    return group;
}

void TRubMod::show(const Side& side) {
    const ledgora::ListEditor& e = *side.editor;
    const QSignalBlocker block(side.list);
    side.list->clear();
    for (const auto& entry : e.list().entries()) {
        side.list->addItem(QString::fromStdString(entry));
    }
    side.list->setCurrentRow(e.selected());
    side.field->setText(QString::fromStdString(e.field()));
}

bool TRubMod::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        for (Side* s : {&rubriques_, &modesSide_}) {
            if (watched == s->list) {
                s->editor->remove();
                show(*s);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
