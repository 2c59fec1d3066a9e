// The balances of all the user's accounts in francs or in euros, their grand total under
// them, and the bar chart ("Graphique"). "OK" closes; the currency chosen is kept.
#pragma once

#include <string>

#include <QDialog>

#include "register/Grid.h"
#include "reports/Recap.h"
#include "reports/RecapLook.h"

class GridModel;
class GridView;
class QLabel;
class QPushButton;
class QRadioButton;

class TRecap : public QDialog {
    Q_OBJECT
public:
    // `balances` is borrowed; the window starts in euros or francs.
    TRecap(const ledgora::AllBalances& balances, bool euros, QWidget* parent = nullptr);
    ~TRecap() override;

    // The currency chosen (true for euros).
    bool euros() const;
    const ledgora::Recap& recap() const { return recap_; }
    GridView* grid() const { return grid_; }
    QLabel* total() const { return SoldeGeneral; }
    QRadioButton* francs() const { return Francs; }
    QRadioButton* eurosButton() const { return Euros; }
    QLabel* problems() const { return Problemes; }
    // The bar chart, while "Graphique" has it open.
    QDialog* histo() const { return histo_; }

public slots:
    void RadioClick();
    void GraphiqueClick();

private:
    // Computes every balance and the total again in the chosen currency.
    void fill();

    const ledgora::AllBalances& balances_;
    ledgora::Recap recap_;
    ledgora::Grid table_;
    ledgora::RecapLook look_;
    GridModel* model_;
    GridView* grid_;
    QRadioButton* Francs;
    QRadioButton* Euros;
    QLabel* SoldeGeneral;
    QLabel* Problemes;
    QPushButton* Graphique;
    QPushButton* OK;
    QDialog* histo_ = nullptr;
};
