// The cheque deposit slip window: the open account's cheques to tick, their total, the
// details dialog, print and preview, and search. One window lives for the whole run; its
// rows are rebuilt from the register at every opening. The rules are banktools/'s.
#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "banktools/DepositPrint.h"
#include "banktools/DepositSlip.h"
#include "banktools/DepositSlipLook.h"
#include "platform/Clock.h"
#include "register/GridSearch.h"
#include "ui/PrintCommand.h"

namespace ledgora {
class Workspace;
}
class GridView;
class QAction;
class QLabel;
class QPushButton;
class SlipModel;

class TBordereau : public QDialog, private ledgora::DepositDetailsForm {
    Q_OBJECT
public:
    // `workspace` gives the open account, the settings, the options and the dialogs; it
    // outlives the window.
    explicit TBordereau(ledgora::Workspace& workspace, QWidget* parent = nullptr);
    ~TBordereau() override;

    // "&Bordereau de remise de chèques...": the rows rebuilt from the open account, then
    // the window shown modally until it is closed. An account without a cheque to deposit
    // says so and the window does not open.
    void Execute();
    // The opening without the modal loop: false (after the message) when there is no cheque.
    bool prepare();

    // The print dialog (tests answer it); the date printed at the bottom comes from `clock`,
    // borrowed (the system's by default).
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }
    void setClock(const platform::Clock& clock) { clock_ = &clock; }

    const ledgora::DepositSlip& slip() const { return slip_; }
    GridView* grid() const { return Grille; }
    QLabel* totalLabel() const { return TotalLabel; }
    // The page the last print or preview was made of; nothing before the first.
    const std::optional<ledgora::DepositPrintJob>& lastPrintJob() const { return lastJob_; }

public slots:
    void Imprimer1Click();
    void Apercu1Click();
    void Chercher1Click();
    void Suivant1Click();

private:
    std::optional<ledgora::DepositDetails>
    askDepositDetails(const ledgora::DepositDetails& stored) override;
    // The print grid and its texts, after the checks and the details dialog.
    bool preparePrint();
    // The printer of the job just prepared, in the black-and-white option's state.
    std::unique_ptr<GridPrinter> jobPrinter();
    void ticked();
    void updateTotal();
    void sizeColumns();
    void showFound(const std::optional<ledgora::CellPosition>& found);

    ledgora::Workspace& workspace_;
    ledgora::DepositSlip slip_;
    ledgora::DepositSlipLook look_ = ledgora::DepositSlipLook::selection();
    ledgora::DepositSlipLook printLook_ = ledgora::DepositSlipLook::print();
    std::optional<ledgora::DepositPrintJob> lastJob_;
    PrintDialogRun printDialog_;
    platform::SystemClock systemClock_;
    const platform::Clock* clock_ = &systemClock_;

    SlipModel* model_;
    GridView* Grille;
    QLabel* TotalLabel;
    QLabel* MonnaieImage;
    QPushButton* FermerBtn;
    QAction* Imprimer1;
    QAction* Apercu1;
    QAction* Fermer1;
    QAction* Chercher1;
    QAction* Suivant1;
};
