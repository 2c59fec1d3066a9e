// The export of the open account to a Palm OS handheld and its import back, through the
// builder's interface only: the account's register, the category and payment-mode lists
// and the account's parameters become four databases in the chosen HotSync user's install
// folder, and come back from that user's backup folder after a HotSync. Every question
// and message goes through the dialogs port, the user choice through PalmUserChooser.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "builder/ITrellisk.h"
#include "handheld/ImportTarget.h"
#include "handheld/PalmUserChooser.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/Grid.h"
#include "register/NameList.h"

namespace ledgora {

struct HandheldServices {
    trellisk::ITrellisk& builder;
    // "PalmUser" in "Options": the handheld user chosen last.
    platform::Registry& registry;
    // The program folder, where "Budget.prc" may ship.
    const platform::Paths& paths;
    platform::Dialogs& dialogs;
    PalmUserChooser& chooser;
    // Called with true when a database step starts and false when it ends (the window's
    // hourglass); may be empty.
    std::function<void(bool)> busy = {};
};

// The open account as the export writes it.
struct HandheldAccount {
    std::string user;
    std::string account;
    std::string password; // the user's, in clear; empty for none
    bool euros = true;
};

struct ExchangeOutcome {
    enum class Ended {
        NotConfirmed, // the first question was not answered Yes / OK
        NoUsers,      // "Aucun utilisateur Palm trouvé."
        Cancelled,    // "Annuler" in the user choice
        Done,         // every database step ran
    };
    Ended ended = Ended::NotConfirmed;
    // Builder errors shown; the final message is shown only when there were none.
    int errors = 0;
    // The import replaced the register with the handheld's.
    bool registerImported = false;
};

class HandheldExchange {
public:
    explicit HandheldExchange(HandheldServices services) : s_(services) {}

    // The commands are offered when a builder exists, it knows at least one handheld user,
    // and an account is open.
    static bool available(trellisk::ITrellisk* builder, bool accountOpen);

    // "Exporter vers Palm et compatibles...".
    ExchangeOutcome exportAccount(const HandheldAccount& account, const Grid& reg,
                                  const NameList& categories, const NameList& modes);

    // "Importer depuis Palm et compatibles..." into the open account of `user`.
    ExchangeOutcome importAccount(const std::string& user, const std::string& account,
                                  ImportTarget& target, NameList& categories, NameList& modes);

private:
    struct PalmUser {
        int index = 0;
        std::string install; // ends with "/"
        std::string backup;  // ends with "/"
    };

    // Asks for the handheld user; nothing (and `outcome` says why) when there is none or
    // the choice was cancelled.
    std::optional<PalmUser> choosePalmUser(ExchangeOutcome& outcome);

    HandheldServices s_;
};

} // namespace ledgora
