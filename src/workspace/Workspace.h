// Everything the main window holds that is not a widget: the open account with its parts
// (the planning, the bank statement balance, the budgets), the transfers and budget
// maxima the register consults, the category and payment-mode lists, the options, the
// users and accounts commands, and the start-up and settings-save sequences. main() builds
// it on the program's services; the main window shows it and forwards commands to it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "banktools/BankBalancePart.h"
#include "handheld/BuilderObject.h"
#include "handheld/HandheldExchange.h"
#include "handheld/PalmUserChooser.h"
#include "planning/BudgetAlarm.h"
#include "planning/BudgetPart.h"
#include "planning/LastYearPart.h"
#include "planning/PlanningPart.h"
#include "planning/Transfers.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Sounds.h"
#include "register/AccountForms.h"
#include "register/AccountManager.h"
#include "register/AccountSession.h"
#include "register/NameList.h"
#include "workspace/AppSettings.h"
#include "workspace/MenuState.h"

namespace ledgora {

// What the view does around the questions that follow a new account.
struct AccountCreatedView {
    std::function<void()> shown;    // before the questions: the new account is shown
    std::function<void()> planning; // "Oui" to the planning question: the planning window
    std::function<void()> alarms;   // "Oui" to the budget question: the budget alarms
};

class Workspace {
public:
    // The services are borrowed; `dialogs` and `forms` ask the user, `sounds` play.
    Workspace(platform::Registry& registry, const platform::Paths& paths,
              const platform::Clock& clock, platform::Dialogs& dialogs, AccountForms& forms,
              platform::Sounds& sounds);

    // Start-up: creates the data folder and the "Users" key, reads the placement and the
    // options, loads "Rubriques.txt" and "Modes.txt" when they exist. A settings hive that
    // could not be read whole is reported here.
    void start();

    AccountSession& session() { return session_; }
    const AccountSession& session() const { return session_; }
    AccountManager& accounts() { return accounts_; }
    // The open account's parts and the rules the register consults, as the session is
    // told of them.
    PlanningPart& planning() { return planning_; }
    const PlanningPart& planning() const { return planning_; }
    BankBalancePart& bankBalance() { return bankBalance_; }
    const BankBalancePart& bankBalance() const { return bankBalance_; }
    BudgetAlarm& budgets() { return budgets_; }
    Transfers& transfers() { return transfers_; }
    NameList& categories() { return categories_; }
    NameList& modes() { return modes_; }
    AppOptions& options() { return options_; }
    const AppOptions& options() const { return options_; }
    const WindowPlacement& placement() const { return placement_; }
    platform::Registry& registry() { return registry_; }
    const platform::Paths& paths() const { return paths_; }
    platform::Dialogs& dialogs() { return dialogs_; }
    AccountForms& accountForms() { return forms_; }
    const platform::Clock& clock() const { return clock_; }
    platform::Sounds& sounds() { return sounds_; }

    // "Ledgora", then " - " + user, then " : compte "name" (Euros)" or " (Francs)".
    std::string caption() const;

    MenuState menuState(bool printerAvailable) const;

    // Registers the builder library of the program folder and creates the builder object,
    // held until the workspace goes. Without it the handheld commands stay off.
    void createBuilder();
    trellisk::ITrellisk* builder() const { return builder_.get(); }

    // "Exporter vers Palm et compatibles..." and "Importer depuis Palm et compatibles..."
    // on the open account; `busy` is told when each database step starts and ends. Nothing
    // happens without a builder or an open account.
    ExchangeOutcome exportToHandheld(PalmUserChooser& chooser,
                                     const std::function<void(bool)>& busy = {});
    ExchangeOutcome importFromHandheld(PalmUserChooser& chooser,
                                       const std::function<void(bool)>& busy = {});

    // Rewrites "MainW" and "Options", writes both lists, saves the open account (the
    // register, then its parts). Whatever cannot be written is reported.
    bool saveSettings(const WindowPlacement& placement);

    // Closing the program: saves as above, runs `offerBackup` (the backup offered at
    // closing), then writes the backup options. False when something could not be written:
    // the program then stays open, so that nothing typed is lost and the user can free
    // space and close again.
    bool queryClose(const WindowPlacement& placement,
                    const std::function<void()>& offerBackup = {});

    // Shows, once each, what the settings store has to tell (a hive file set aside).
    void tellSettingsNotices();

    // "&Sons" toggles both the option and the register's sounds.
    void setSounds(bool on);

    // After the user created an account, by any command, the planning question then the
    // budget question are asked, each opening its window on "Oui". Without a view (the
    // command line) nothing is asked.
    void setAccountCreatedView(AccountCreatedView view) { createdView_ = std::move(view); }

private:
    void accountCreated();

    platform::Registry& registry_;
    const platform::Paths& paths_;
    const platform::Clock& clock_;
    platform::Dialogs& dialogs_;
    AccountForms& forms_;
    platform::Sounds& sounds_;
    NameList categories_ = NameList::builtInCategories();
    NameList modes_ = NameList::builtInPaymentModes();
    AppOptions options_;
    WindowPlacement placement_;
    AccountSession session_;
    PlanningPart planning_;
    BankBalancePart bankBalance_;
    BudgetAlarm budgets_;
    BudgetPart budgetPart_;
    LastYearPart lastYear_;
    Transfers transfers_;
    AccountManager accounts_;
    BuilderObject builder_;
    AccountCreatedView createdView_;
};

} // namespace ledgora
