#include "reports/ui/TRecap.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "planning/ui/WindowParts.h"
#include "reports/ui/THisto.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

using windowparts::q;

TRecap::TRecap(const ledgora::AllBalances& balances, bool euros, QWidget* parent)
    : QDialog(parent), balances_(balances) {
    Francs = new QRadioButton(QStringLiteral("Francs"), this);
    Francs->setObjectName(QStringLiteral("Francs"));
    Euros = new QRadioButton(QStringLiteral("Euros"), this);
    Euros->setObjectName(QStringLiteral("Euros"));
    (euros ? Euros : Francs)->setChecked(true);
    auto* currency = new QButtonGroup(this);
    currency->addButton(Francs);
    currency->addButton(Euros);

    model_ = new GridModel(table_, look_, this);
    grid_ = new GridView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setGridModel(model_);
    grid_->verticalHeader()->hide(); // no number column in these tables
    SoldeGeneral = new QLabel(this);
    SoldeGeneral->setObjectName(QStringLiteral("SoldeGeneral"));
    Problemes = new QLabel(this);
    Problemes->setObjectName(QStringLiteral("Problemes"));
    Problemes->setWordWrap(true);
    Problemes->setStyleSheet(QStringLiteral("color: rgb(255,0,0)"));
    Graphique = windowparts::button(this, "Graphique", QStringLiteral("&Graphique"));
    OK = windowparts::button(this, "OK", QStringLiteral("OK"));
    OK->setDefault(true);

    auto* radios = new QHBoxLayout;
    radios->addWidget(Francs);
    radios->addWidget(Euros);
    radios->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Graphique);
    buttons->addStretch();
    buttons->addWidget(OK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(radios);
    layout->addWidget(grid_, 1);
    layout->addWidget(SoldeGeneral);
    layout->addWidget(Problemes);
    layout->addLayout(buttons);
    resize(420, 380);

    connect(Francs, &QRadioButton::clicked, this, &TRecap::RadioClick);
    connect(Euros, &QRadioButton::clicked, this, &TRecap::RadioClick);
    connect(Graphique, &QPushButton::clicked, this, &TRecap::GraphiqueClick);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    fill();
    setWindowTitle(q(recap_.caption));
}

TRecap::~TRecap() {
    // The view goes while the grid it shows is still there (QDialog hides it later).
    delete grid_;
}

bool TRecap::euros() const {
    return Euros->isChecked();
}

void TRecap::fill() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    recap_ = balances_.compute(euros());
    table_ = ledgora::recapGrid(recap_);
    model_->gridReplaced();
    QApplication::restoreOverrideCursor();
    const ledgora::Rgb c = ledgora::recapBalanceColor(recap_.total);
    SoldeGeneral->setText(QStringLiteral("%1<span style=\"color:rgb(%2,%3,%4)\">%5</span>")
                              .arg(q(ledgora::kGeneralBalanceLabel).toHtmlEscaped())
                              .arg(c.r)
                              .arg(c.g)
                              .arg(c.b)
                              .arg(q(ledgora::formatCents(recap_.total))));
    QStringList problems;
    for (const std::string& problem : recap_.problems) {
        problems << q(problem);
    }
    Problemes->setText(problems.join(QLatin1Char('\n')));
    Problemes->setVisible(!problems.isEmpty());
    windowparts::fitColumns(*grid_, 20);
    // Wider for longer names or balances (another currency), never narrower.
    const int wide = windowparts::widthForColumns(*this, *grid_, 420);
    if (wide > width()) {
        resize(wide, height());
    }
}

void TRecap::RadioClick() {
    fill();
}

void TRecap::GraphiqueClick() {
    THisto histo(ledgora::recapChart(recap_), windowparts::jobName(recap_.caption), this);
    histo_ = &histo;
    histo.exec();
    histo_ = nullptr;
}
