// The pie charts of a report: "Dépenses" and "Recettes" on two tabs, each slice labelled
// with its key and value, no legend; "3D" (ticked at opening) tilts both pies and pulls
// their largest slice out; "Imprimer" prints the chart of the tab shown.
#pragma once

#include <QDialog>

#include "reports/ReportPies.h"

class ChartView;
class QCheckBox;
class QPushButton;
class QTabWidget;

class TPies : public QDialog {
    Q_OBJECT
public:
    // `jobName` names the print job.
    TPies(ledgora::ReportPies pies, QString jobName, QWidget* parent = nullptr);

    QTabWidget* pages() const { return PageControl1; }
    ChartView* expensesChart() const { return DepensesChart; }
    ChartView* receiptsChart() const { return RecettesChart; }
    ChartView* shownChart() const;
    QCheckBox* threeD() const { return CheckBox3D; }

public slots:
    void CheckBox3DClick();
    void ImprimerClick();

private:
    ledgora::ReportPies pies_;
    QString jobName_;
    QTabWidget* PageControl1;
    ChartView* DepensesChart;
    ChartView* RecettesChart;
    QCheckBox* CheckBox3D;
    QPushButton* Imprimer;
    QPushButton* Fermer;
};
