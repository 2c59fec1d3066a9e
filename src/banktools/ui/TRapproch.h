// "Rapprochement automatique": the reconciled balance of the open account against the
// balance of the last bank statement, with the difference and in whose favour it is.
// Opened modally from the main window; the rules are banktools/Reconciliation's.
#pragma once

#include <QDialog>

namespace ledgora {
class AccountSession;
class BankBalancePart;
} // namespace ledgora
class QLabel;
class QPushButton;
class TFloatEdit;

class TRapproch : public QDialog {
    Q_OBJECT
public:
    // Shows `session`'s reconciled balance and `bank`'s stored statement balance; "Fermer"
    // stores the statement balance back into `bank` (in memory: the next save writes it).
    TRapproch(ledgora::AccountSession& session, ledgora::BankBalancePart& bank,
              QWidget* parent = nullptr);

    TFloatEdit* statementField() const { return SoldeBanqueEdit; }
    QLabel* resultLabel() const { return DifferenceLabel; }
    QLabel* reconciledLabel() const { return SoldePointeLabel; }
    QPushButton* calculateButton() const { return CalculerBtn; }
    QPushButton* closeButton() const { return FermerBtn; }

public slots:
    void CalculerBtnClick();
    void FermerBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SoldeBanqueEditChange();

    ledgora::AccountSession& session_;
    ledgora::BankBalancePart& bank_;
    QLabel* SoldePointeLabel;
    TFloatEdit* SoldeBanqueEdit;
    QPushButton* CalculerBtn;
    QLabel* DifferenceLabel;
    QPushButton* FermerBtn;
};
