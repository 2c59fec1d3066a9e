// The simple-interest placement window `TIntSimp`: capital, annual rate, duration in days or months
// and interest earned, and the value of the placement day by day. Created for each opening and
// destroyed when closed.
#pragma once

#include "fincalc/ui/SolverWindow.h"

class TIntSimp : public SolverWindow {
    Q_OBJECT
public:
    explicit TIntSimp(platform::Dialogs& dialogs, QWidget* parent = nullptr);
};
