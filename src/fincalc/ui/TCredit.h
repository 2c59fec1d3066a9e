// The loan window `TCredit` "Plan d'amortissement d'un crédit": amount borrowed, annual rate,
// duration and monthly payment, and the amortisation schedule month by month. Created for each
// opening and destroyed when closed.
#pragma once

#include "fincalc/ui/SolverWindow.h"

class TCredit : public SolverWindow {
    Q_OBJECT
public:
    explicit TCredit(platform::Dialogs& dialogs, QWidget* parent = nullptr);
};
