// The compound-interest placement window `TIntComp`: capital, annual rate compounded monthly,
// duration in months or years and final capital, and the value month by month. Created for each
// opening and destroyed when closed.
#pragma once

#include "fincalc/ui/SolverWindow.h"

class TIntComp : public SolverWindow {
    Q_OBJECT
public:
    explicit TIntComp(platform::Dialogs& dialogs, QWidget* parent = nullptr);
};
