#include "fincalc/ui/TIntComp.h"

#include "fincalc/CompoundInterest.h"

TIntComp::TIntComp(platform::Dialogs& dialogs, QWidget* parent)
    : SolverWindow(std::make_unique<fincalc::CompoundInterest>(), dialogs, parent) {
    setObjectName(QStringLiteral("IntComp"));
}
