#include "reports/ui/TLines.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/ui/ChartPainter.h"
#include "reports/ui/ChartView.h"

TLines::TLines(const std::string& caption, bool euros,
               std::vector<ledgora::ProgressionPoint> points, QString jobName, QWidget* parent)
    : QDialog(parent), points_(std::move(points)), pages_(static_cast<int>(points_.size())),
      title_(QString::fromStdString(caption)),
      axisTitle_(QString::fromUtf8(ledgora::currencyAxisTitle(euros).data(),
                                   static_cast<int>(ledgora::currencyAxisTitle(euros).size()))),
      jobName_(std::move(jobName)) {
    setWindowTitle(title_);
    Chart1 = new ChartView(this);
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    Debut = button("Debut", QStringLiteral("Début du graphique"));
    Precedent = button("Precedent", QStringLiteral("Page précédente"));
    Suivant = button("Suivant", QStringLiteral("Page suivante"));
    Fin = button("Fin", QStringLiteral("Fin du graphique"));
    Imprimer = button("Imprimer", QStringLiteral("&Imprimer"));
    Fermer = button("Fermer", QStringLiteral("&Fermer"));
    CheckBox3D = new QCheckBox(QStringLiteral("3D"), this);
    CheckBox3D->setObjectName(QStringLiteral("CheckBox3D"));
    CheckBox3D->setChecked(true);

    auto* moves = new QHBoxLayout;
    for (QPushButton* b : {Debut, Precedent, Suivant, Fin}) {
        moves->addWidget(b);
    }
    moves->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(CheckBox3D);
    bottom->addStretch();
    bottom->addWidget(Imprimer);
    bottom->addWidget(Fermer);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(moves);
    layout->addWidget(Chart1, 1);
    layout->addLayout(bottom);
    resize(820, 560);

    connect(Debut, &QPushButton::clicked, this, &TLines::DebutClick);
    connect(Precedent, &QPushButton::clicked, this, &TLines::PrecedentClick);
    connect(Suivant, &QPushButton::clicked, this, &TLines::SuivantClick);
    connect(Fin, &QPushButton::clicked, this, &TLines::FinClick);
    connect(CheckBox3D, &QCheckBox::toggled, this, &TLines::CheckBox3DClick);
    connect(Imprimer, &QPushButton::clicked, this, &TLines::ImprimerClick);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::accept);
    draw();
}

void TLines::draw() {
    const ledgora::PageButtons enabled = pages_.buttons();
    Debut->setEnabled(enabled.first);
    Precedent->setEnabled(enabled.previous);
    Suivant->setEnabled(enabled.next);
    Fin->setEnabled(enabled.last);
    const charts::LineChart chart{title_, axisTitle_, &points_, pages_.firstPoint(),
                                  pages_.endPoint()};
    const bool threeD = CheckBox3D->isChecked();
    Chart1->setDraw([chart, threeD](QPainter& p, const QRectF& area) {
        charts::drawLines(p, area, chart, threeD);
    });
}

void TLines::DebutClick() {
    pages_.first();
    draw();
}

void TLines::PrecedentClick() {
    pages_.previous();
    draw();
}

void TLines::SuivantClick() {
    pages_.next();
    draw();
}

void TLines::FinClick() {
    pages_.last();
    draw();
}

void TLines::CheckBox3DClick() {
    draw();
}

void TLines::ImprimerClick() {
    Chart1->printWithDialog(jobName_);
}
