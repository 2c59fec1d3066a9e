// The monthly budget maxima of the open account: one row per category, only the maximum
// editable (a decimal editor), "OK" writing them all anew, "Annuler" nothing, "Imprimer"
// the table with the logo in the page header.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "planning/BudgetAlarm.h"
#include "planning/BudgetTable.h"
#include "planning/BudgetTableLook.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "register/MonthlySpending.h"
#include "ui/PrintCommand.h"

class GridModel;
class GridView;
class QPushButton;

struct AlarmesContext {
    ledgora::BudgetAlarm& alarm;
    std::vector<std::string> categories;
    // The open register's spending and today's month, for the categories already over.
    const ledgora::MonthlySpending& spending;
    int year = 0;
    int month = 0;
    bool euros = true;
    std::string mainCaption;
    platform::Dialogs& dialogs;
    const platform::Registry& registry;
    // The "BW" option: the printout without colours.
    bool blackAndWhite = false;
};

class TAlarmes : public QDialog {
    Q_OBJECT
public:
    explicit TAlarmes(AlarmesContext context, QWidget* parent = nullptr);
    ~TAlarmes() override;

    // The window for the open account, or the message that there is no category and no
    // window; true when "OK" wrote the maxima.
    static bool execute(AlarmesContext context, QWidget* parent);

    GridView* grid() const { return Grille; }
    const ledgora::BudgetTable& table() const { return table_; }
    // The print dialog (tests answer it) and the clock of the printed time and date
    // (borrowed; the system's by default).
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }
    void setClock(const platform::Clock& clock) { clock_ = &clock; }

public slots:
    void OKClick();
    void ImprimerClick();

private:
    void commitOpenEditor();
    // "Saisie incorrecte." for a maximum the window refused, once.
    void tellRefusal();
    // After Enter in the editor: the next category's maximum becomes the current cell.
    void nextMaximum();

    AlarmesContext context_;
    ledgora::BudgetTable table_;
    ledgora::BudgetTableLook look_;
    PrintDialogRun printDialog_;
    platform::SystemClock systemClock_;
    const platform::Clock* clock_ = &systemClock_;
    bool refused_ = false;
    GridModel* model_;
    GridView* Grille;
    QPushButton* Imprimer;
    QPushButton* OK;
    QPushButton* Annuler;
};
