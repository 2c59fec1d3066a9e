#include "fincalc/ui/TCredit.h"

#include "fincalc/Loan.h"

TCredit::TCredit(platform::Dialogs& dialogs, QWidget* parent)
    : SolverWindow(std::make_unique<fincalc::Loan>(), dialogs, parent) {
    setObjectName(QStringLiteral("Credit"));
}
