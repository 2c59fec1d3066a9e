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

PrintSettings depositPrintSettings(const DepositPrintJob& job, const std::string& caption,
                                   bool blackAndWhite) {
    PrintSettings s;
    s.title = job.title;
    s.titleColour = depositTitleColour(false);
    s.time = false;
    s.pageNumbers = false;
    s.datePlace = DatePlace::BottomCentre;
    s.fitToWidth = false;
    s.headerArea = 150;
    s.creditLine = false;
    s.headerLines = job.header;
    s.jobName = caption;
    s.blackAndWhite = blackAndWhite;
    return s;
}

} // namespace ledgora
