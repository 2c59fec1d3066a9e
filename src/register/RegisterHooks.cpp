#include "register/RegisterHooks.h"

namespace ledgora {

bool RegisterHooks::isLinkedTransfer(const Grid&, int) const {
    return false;
}
void RegisterHooks::transferCheck(Grid&, int) {}
void RegisterHooks::deleteTwin(const Grid&, int) {}
double RegisterHooks::monthlyMaximum(const std::string&) const {
    return 0.0;
}
void RegisterHooks::budgetAlarm(const Grid&, int) {}
void RegisterHooks::convertBudgets(bool) {}

} // namespace ledgora
