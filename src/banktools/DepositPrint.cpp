#include "banktools/DepositPrint.h"

#include "register/GridTextFormat.h"

namespace ledgora {

bool openDepositSlip(DepositSlip& slip, const Grid& reg, platform::Dialogs& dialogs) {
    if (slip.fill(reg) == 0) {
        dialogs.inform(std::string(kNoChequeFound));
        return false;
    }
    return true;
}

std::optional<DepositPrintJob> prepareDepositPrint(const DepositSlip& slip,
                                                   const DepositAccount& account,
                                                   DepositDetailsForm& form,
                                                   platform::Dialogs& dialogs,
                                                   platform::Registry& registry) {
    if (slip.tickedCount() == 0) {
        dialogs.warn(std::string(kNoChequeTicked));
        return std::nullopt;
    }
    const auto details =
        form.askDepositDetails(readDepositDetails(registry, account.user, account.account));
    if (!details) {
        return std::nullopt;
    }
    if (!writeDepositDetails(registry, account.user, account.account, *details)) {
        dialogs.fail(settingsSaveError(registry));
    }
    return DepositPrintJob{slip.printGrid(), depositPrintTitle(slip.total(), account.euros),
                           depositHeaderLines(*details)};
}

} // namespace ledgora
