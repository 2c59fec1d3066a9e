// What the deposit slip's "&Imprimer..." and "&Aperçu avant impression..." do before the
// page is drawn: refuse an empty selection, ask for the account's details once (and keep
// them), and make the printed grid, its title and its page header.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "banktools/DepositDetails.h"
#include "banktools/DepositSlip.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "register/Grid.h"
#include "register/PrintSettings.h"

namespace ledgora {

// The details dialog: prefilled with `stored`, its focus on firstEmptyDetail(); nothing
// when cancelled.
class DepositDetailsForm {
public:
    virtual ~DepositDetailsForm() = default;
    virtual std::optional<DepositDetails> askDepositDetails(const DepositDetails& stored) = 0;
};

struct DepositPrintJob {
    Grid grid;                       // the ticked rows (slip_print_col)
    std::string title;               // "Total remis : 150.50 Euros"
    std::vector<std::string> header; // depositHeaderLines()
};

// The account a slip is printed for.
struct DepositAccount {
    const std::string& user;
    const std::string& account;
    bool euros;
};

// Opening the slip: its rows rebuilt from the register. False, after "Aucun chèque à
// remettre trouvé.", when there is no cheque: the window then stays closed.
bool openDepositSlip(DepositSlip& slip, const Grid& reg, platform::Dialogs& dialogs);

// Nothing ticked: the warning, and nothing. Otherwise the details dialog; cancelled, it
// changes nothing; confirmed, the details are stored at once (a failed write is reported,
// and the page still prints with them) and the job is made.
std::optional<DepositPrintJob> prepareDepositPrint(const DepositSlip& slip,
                                                   const DepositAccount& account,
                                                   DepositDetailsForm& form,
                                                   platform::Dialogs& dialogs,
                                                   platform::Registry& registry);

// How the slip goes to paper: the job's title at the top in red (black in black and
// white), its header lines, the date at the bottom centre, no time and no page number,
// single borders, the grid at its own size and centred; the job named `caption` (the
// window's).
PrintSettings depositPrintSettings(const DepositPrintJob& job, const std::string& caption,
                                   bool blackAndWhite);

} // namespace ledgora
