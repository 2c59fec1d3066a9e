#include "reports/ReportedAccount.h"

#include "register/Balances.h"
#include "register/RegisterRows.h"

namespace ledgora {

void prepareForReports(Grid& reg) {
    sortByDate(reg);
    cleanUpBlankRows(reg);
    renumberRows(reg);
    recomputeRunningBalances(reg);
}

} // namespace ledgora
