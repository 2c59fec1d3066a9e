// The progression of the balance: 30 points a page, the four page buttons, "3D",
// "Imprimer" and "Fermer".
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "reports/Progression.h"

class ChartView;
class QCheckBox;
class QPushButton;

class TLines : public QDialog {
    Q_OBJECT
public:
    // `caption` is the window's caption and the chart's title; `jobName` names the print job.
    TLines(const std::string& caption, bool euros, std::vector<ledgora::ProgressionPoint> points,
           QString jobName, QWidget* parent = nullptr);

    const ledgora::ProgressionPages& pages() const { return pages_; }
    ChartView* chart() const { return Chart1; }
    QCheckBox* threeD() const { return CheckBox3D; }

public slots:
    void DebutClick();
    void PrecedentClick();
    void SuivantClick();
    void FinClick();
    void CheckBox3DClick();
    void ImprimerClick();

private:
    // After every move: the page drawn, the buttons enabled as the page allows.
    void draw();

    std::vector<ledgora::ProgressionPoint> points_;
    ledgora::ProgressionPages pages_;
    QString title_;
    QString axisTitle_;
    QString jobName_;
    ChartView* Chart1;
    QPushButton* Debut;
    QPushButton* Precedent;
    QPushButton* Suivant;
    QPushButton* Fin;
    QCheckBox* CheckBox3D;
    QPushButton* Imprimer;
    QPushButton* Fermer;
};
