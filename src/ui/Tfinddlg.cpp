#include "ui/Tfinddlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tfinddlg::Tfinddlg(const ledgora::FindOptions& options, QWidget* parent) : QDialog(parent) {
    using ledgora::FindOptions;
    setWindowTitle(QStringLiteral("Recherche"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Chercher :"), this));
    ChercherEdit = new QLineEdit(QString::fromStdString(options.text), this);
    ChercherEdit->selectAll();
    row->addWidget(ChercherEdit);
    layout->addLayout(row);

    CaseBox = new QCheckBox(QStringLiteral("&Différence MAJ/min"), this);
    WholeBox = new QCheckBox(QStringLiteral("Mo&ts entiers"), this);
    PatternBox = new QCheckBox(QStringLiteral("E&xpressions régulières"), this);
    CaseBox->setChecked(options.caseSensitive);
    WholeBox->setChecked(options.wholeCell);
    PatternBox->setChecked(options.pattern);
    for (QCheckBox* box : {CaseBox, WholeBox, PatternBox}) {
        layout->addWidget(box);
    }

    auto* groups = new QHBoxLayout;
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* dl = new QVBoxLayout(direction);
    TopDownBtn = new QRadioButton(QStringLiteral("De haut en bas"), direction);
    LeftRightBtn = new QRadioButton(QStringLiteral("De gauche à droite"), direction);
    dl->addWidget(TopDownBtn);
    dl->addWidget(LeftRightBtn);
    (options.direction == FindOptions::Direction::TopToBottom ? TopDownBtn : LeftRightBtn)
        ->setChecked(true);
    auto* scope = new QGroupBox(QStringLiteral("Portée"), this);
    auto* sl = new QVBoxLayout(scope);
    AllBtn = new QRadioButton(QStringLiteral("Tout le compte"), scope);
    ColumnBtn = new QRadioButton(QStringLiteral("Colonne courante"), scope);
    RowBtn = new QRadioButton(QStringLiteral("Ligne courante"), scope);
    for (QRadioButton* b : {AllBtn, ColumnBtn, RowBtn}) {
        sl->addWidget(b);
    }
    switch (options.scope) {
    case FindOptions::Scope::Everything:
        AllBtn->setChecked(true);
        break;
    case FindOptions::Scope::CurrentColumn:
        ColumnBtn->setChecked(true);
        break;
    case FindOptions::Scope::CurrentRow:
        RowBtn->setChecked(true);
        break;
    }
    groups->addWidget(direction);
    groups->addWidget(scope);
    layout->addLayout(groups);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ledgora::FindOptions Tfinddlg::options() const {
    using ledgora::FindOptions;
    FindOptions o;
    o.text = ChercherEdit->text().toStdString();
    o.caseSensitive = CaseBox->isChecked();
    o.wholeCell = WholeBox->isChecked();
    o.pattern = PatternBox->isChecked();
    o.direction = TopDownBtn->isChecked() ? FindOptions::Direction::TopToBottom
                                          : FindOptions::Direction::LeftToRight;
    o.scope = AllBtn->isChecked()      ? FindOptions::Scope::Everything
              : ColumnBtn->isChecked() ? FindOptions::Scope::CurrentColumn
                                       : FindOptions::Scope::CurrentRow;
    return o;
}
