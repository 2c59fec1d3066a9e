#include "reports/ui/TBudget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "planning/ui/WindowParts.h"
#include "platform/Paths.h"
#include "reports/ReportPies.h"
#include "reports/ui/TPies.h"
#include "ui/GridModel.h"
#include "ui/GridPrinter.h"
#include "ui/GridView.h"

TBudget::TBudget(ledgora::BudgetReport report, const ledgora::BudgetLimits& budgets,
                 std::string mainCaption, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), table_(ledgora::reportGrid(report_)),
      look_(report_, budgets), mainCaption_(std::move(mainCaption)) {
    setWindowTitle(windowparts::q(report_.caption));
    model_ = new GridModel(table_, look_, this);
    grid_ = new GridView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setGridModel(model_);
    grid_->verticalHeader()->hide(); // no number column in these tables

    Recettes = new QLabel(this);
    Recettes->setObjectName(QStringLiteral("Recettes"));
    Recettes->setText(windowparts::labelled(ledgora::kReceiptsLabel, report_.receipts));
    Depenses = new QLabel(this);
    Depenses->setObjectName(QStringLiteral("Depenses"));
    Depenses->setText(windowparts::labelled(ledgora::kExpensesLabel, report_.expenses));

    Imprimer = windowparts::button(this, "Imprimer", QStringLiteral("&Imprimer"));
    Imprimer->setAutoDefault(false); // Enter never prints
    Graphique = windowparts::button(this, "Graphique", QStringLiteral("&Graphique"));
    Fermer = windowparts::button(this, "Fermer", QStringLiteral("&Fermer"));
    auto* totals = new QHBoxLayout;
    totals->addWidget(Recettes);
    totals->addStretch();
    totals->addWidget(Depenses);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Imprimer);
    buttons->addWidget(Graphique);
    buttons->addStretch();
    buttons->addWidget(Fermer);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);
    windowparts::fitColumns(*grid_, 30);
    resize(windowparts::widthForColumns(*this, *grid_, 480), 420);

    connect(Imprimer, &QPushButton::clicked, this, &TBudget::ImprimerClick);
    connect(Graphique, &QPushButton::clicked, this, &TBudget::GraphiqueClick);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::accept);
}

TBudget::~TBudget() {
    // The view goes while the grid it shows is still there (QDialog hides it later).
    delete grid_;
}

void TBudget::ImprimerClick() {
    GridPrinter printer(table_, look_,
                        ledgora::tablePrintSettings(mainCaption_, report_.caption, blackAndWhite_),
                        *clock_);
    printer.setLogo(windowparts::printLogo());
    printGrid(this, printer, printDialog_);
}

void TBudget::GraphiqueClick() {
    TPies pies(ledgora::reportPies(report_), windowparts::jobName(report_.caption), this);
    pies_ = &pies;
    pies.exec();
    pies_ = nullptr;
}
