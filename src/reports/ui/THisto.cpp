#include "reports/ui/THisto.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/ui/ChartPainter.h"
#include "reports/ui/ChartView.h"

THisto::THisto(ledgora::BarChart chart, QString jobName, QWidget* parent)
    : QDialog(parent), bars_(std::move(chart)), jobName_(std::move(jobName)) {
    setWindowTitle(QString::fromStdString(bars_.title));
    Chart1 = new ChartView(this);
    CheckBox3D = new QCheckBox(QStringLiteral("3D"), this);
    CheckBox3D->setObjectName(QStringLiteral("CheckBox3D"));
    CheckBox3D->setChecked(true);
    Imprimer = new QPushButton(QStringLiteral("&Imprimer"), this);
    Imprimer->setObjectName(QStringLiteral("Imprimer"));
    Fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    Fermer->setObjectName(QStringLiteral("Fermer"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox3D);
    bottom->addStretch();
    bottom->addWidget(Imprimer);
    bottom->addWidget(Fermer);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Chart1, 1);
    layout->addLayout(bottom);
    resize(820, 560);

    connect(CheckBox3D, &QCheckBox::toggled, this, &THisto::CheckBox3DClick);
    connect(Imprimer, &QPushButton::clicked, this, &THisto::ImprimerClick);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::accept);
    CheckBox3DClick();
}

void THisto::CheckBox3DClick() {
    const bool threeD = CheckBox3D->isChecked();
    Chart1->setDraw([this, threeD](QPainter& p, const QRectF& area) {
        charts::drawBars(p, area, bars_, threeD);
    });
}

void THisto::ImprimerClick() {
    Chart1->printWithDialog(jobName_);
}
