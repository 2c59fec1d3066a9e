// A budget or breakdown report: its table of keys and totals (blue for receipts, green
// for expenses, red and bold past a budget), "Recettes :" and "Dépenses :" under it, and
// the buttons "Imprimer" (the table, with the logo in the page header), "Graphique" (the
// pies) and "Fermer".
#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "platform/Clock.h"
#include "register/BudgetLimits.h"
#include "register/Grid.h"
#include "reports/BudgetReport.h"
#include "reports/ReportLook.h"
#include "ui/PrintCommand.h"

class GridModel;
class GridView;
class QLabel;
class QPushButton;

class TBudget : public QDialog {
    Q_OBJECT
public:
    // `budgets` is borrowed; `mainCaption` is the main window's caption.
    TBudget(ledgora::BudgetReport report, const ledgora::BudgetLimits& budgets,
            std::string mainCaption, QWidget* parent = nullptr);
    ~TBudget() override;

    GridView* grid() const { return grid_; }
    QLabel* receipts() const { return Recettes; }
    QLabel* expenses() const { return Depenses; }
    // The pies window, while "Graphique" has it open.
    QDialog* pies() const { return pies_; }

    // The "BW" option for the printout; the print dialog (tests answer it); the clock of
    // the printed time and date (borrowed; the system's by default).
    void setBlackAndWhite(bool on) { blackAndWhite_ = on; }
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }
    void setClock(const platform::Clock& clock) { clock_ = &clock; }

public slots:
    void ImprimerClick();
    void GraphiqueClick();

private:
    ledgora::BudgetReport report_;
    ledgora::Grid table_;
    ledgora::ReportLook look_;
    std::string mainCaption_;
    bool blackAndWhite_ = false;
    PrintDialogRun printDialog_;
    platform::SystemClock systemClock_;
    const platform::Clock* clock_ = &systemClock_;
    GridModel* model_;
    GridView* grid_;
    QLabel* Recettes;
    QLabel* Depenses;
    QPushButton* Imprimer;
    QPushButton* Graphique;
    QPushButton* Fermer;
    QDialog* pies_ = nullptr;
};
