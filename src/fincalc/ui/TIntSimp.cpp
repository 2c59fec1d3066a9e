#include "fincalc/ui/TIntSimp.h"

#include "fincalc/SimpleInterest.h"

TIntSimp::TIntSimp(platform::Dialogs& dialogs, QWidget* parent)
    : SolverWindow(std::make_unique<fincalc::SimpleInterest>(), dialogs, parent) {
    setObjectName(QStringLiteral("IntSimp"));
}
