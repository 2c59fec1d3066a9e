// The bar chart of all balances: one bar per account with its value, "3D", "Imprimer" and
// "Fermer".
#pragma once

#include <QDialog>

#include "reports/Recap.h"

class ChartView;
class QCheckBox;
class QPushButton;

class THisto : public QDialog {
    Q_OBJECT
public:
    THisto(ledgora::BarChart chart, QString jobName, QWidget* parent = nullptr);

    ChartView* chart() const { return Chart1; }
    QCheckBox* threeD() const { return CheckBox3D; }

public slots:
    void CheckBox3DClick();
    void ImprimerClick();

private:
    ledgora::BarChart bars_;
    QString jobName_;
    ChartView* Chart1;
    QCheckBox* CheckBox3D;
    QPushButton* Imprimer;
    QPushButton* Fermer;
};
