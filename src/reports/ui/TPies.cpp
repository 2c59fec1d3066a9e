#include "reports/ui/TPies.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "reports/ui/ChartPainter.h"
#include "reports/ui/ChartView.h"

TPies::TPies(ledgora::ReportPies pies, QString jobName, QWidget* parent)
    : QDialog(parent), pies_(std::move(pies)), jobName_(std::move(jobName)) {
    setWindowTitle(QString::fromStdString(pies_.caption));
    PageControl1 = new QTabWidget(this);
    DepensesChart = new ChartView(PageControl1);
    RecettesChart = new ChartView(PageControl1);
    PageControl1->addTab(DepensesChart, QString::fromUtf8(ledgora::kExpensesTab.data(),
                                                          ledgora::kExpensesTab.size()));
    PageControl1->addTab(RecettesChart, QString::fromUtf8(ledgora::kReceiptsTab.data(),
                                                          ledgora::kReceiptsTab.size()));
    CheckBox3D = new QCheckBox(QStringLiteral("3D"), this);
    CheckBox3D->setChecked(true);
    Imprimer = new QPushButton(QStringLiteral("&Imprimer"), this);
    Fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    CheckBox3D->setObjectName(QStringLiteral("CheckBox3D"));
    Imprimer->setObjectName(QStringLiteral("Imprimer"));
    Fermer->setObjectName(QStringLiteral("Fermer"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox3D);
    buttons->addStretch();
    buttons->addWidget(Imprimer);
    buttons->addWidget(Fermer);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(760, 560);

    connect(CheckBox3D, &QCheckBox::toggled, this, &TPies::CheckBox3DClick);
    connect(Imprimer, &QPushButton::clicked, this, &TPies::ImprimerClick);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::accept);
    CheckBox3DClick();
}

ChartView* TPies::shownChart() const {
    return PageControl1->currentIndex() == 0 ? DepensesChart : RecettesChart;
}

void TPies::CheckBox3DClick() {
    const bool threeD = CheckBox3D->isChecked();
    DepensesChart->setDraw([this, threeD](QPainter& p, const QRectF& area) {
        charts::drawPie(p, area, pies_.expenses, threeD);
    });
    RecettesChart->setDraw([this, threeD](QPainter& p, const QRectF& area) {
        charts::drawPie(p, area, pies_.receipts, threeD);
    });
}

void TPies::ImprimerClick() {
    shownChart()->printWithDialog(jobName_);
}
