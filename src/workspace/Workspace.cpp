#include "workspace/Workspace.h"

#include <array>
#include <filesystem>

#include "handheld/SessionImportTarget.h"
#include "planning/BudgetTable.h"
#include "planning/PlanningSheet.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/AccountNames.h"
#include "register/GridTextFormat.h"
#include "workspace/WindowCaption.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

} // namespace

Workspace::Workspace(platform::Registry& registry, const platform::Paths& paths,
                     const platform::Clock& clock, platform::Dialogs& dialogs, AccountForms& forms,
                     platform::Sounds& sounds)
    : registry_(registry), paths_(paths), clock_(clock), dialogs_(dialogs), forms_(forms),
      sounds_(sounds), session_({registry, paths, clock, dialogs, sounds}, categories_, modes_),
      planning_(paths, dialogs), bankBalance_(registry),
      budgets_(registry, paths, sounds, dialogs, [this] { return options_.sons; }),
      budgetPart_(registry, dialogs, categories_, budgets_), lastYear_(registry, clock, dialogs),
      transfers_(registry, paths, dialogs, sounds, session_),
      accounts_(session_, registry, paths, dialogs, forms, options_) {
    // The save writes the register first, then the parts in this order.
    const std::array<AccountPart*, 4> parts = {&planning_, &bankBalance_, &budgetPart_, &lastYear_};
    for (AccountPart* part : parts) {
        session_.addPart(part);
    }
    session_.setTransferLinks(&transfers_);
    session_.setBudgetLimits(&budgets_);
    accounts_.setRemovedListener([parts](const AccountRef& account) {
        for (AccountPart* part : parts) {
            part->removed(account);
        }
    });
    accounts_.setCreatedListener([this] { accountCreated(); });
}

void Workspace::accountCreated() {
    if (!createdView_.planning || !session_.isOpen()) {
        return;
    }
    if (createdView_.shown) {
        createdView_.shown();
    }
    if (dialogs_.confirm(kPlanningQuestion)) {
        createdView_.planning();
    }
    if (createdView_.alarms && dialogs_.confirm(kBudgetQuestion)) {
        createdView_.alarms();
    }
}

void Workspace::start() {
    // The accounts and the password codes are the user's alone, also where an earlier
    // version left the folders open to others.
    platform::createPrivateFolders(paths_.dataFolder());
    for (const std::string& user : listUsers(paths_)) {
        platform::createPrivateFolders(paths_.userFolder(user));
    }
    registry_.createKey(Hive::CurrentUser, settings::usersKey());
    tellSettingsNotices();
    placement_ = readPlacement(registry_);
    options_ = readOptions(registry_, paths_.homeFolder().string());
    session_.setSoundsOn(options_.sons);
    if (auto list = NameList::load(paths_.dataFile("Rubriques.txt"))) {
        categories_ = std::move(*list);
    }
    if (auto list = NameList::load(paths_.dataFile("Modes.txt"))) {
        modes_ = std::move(*list);
    }
}

std::string Workspace::caption() const {
    return windowCaption(session_.user(), session_.isOpen() ? session_.account() : std::string(),
                         session_.euros());
}

MenuState Workspace::menuState(bool printerAvailable) const {
    MenuState m;
    const bool user = !session_.user().empty();
    const bool hasAccounts = user && !accounts_.accounts().empty();
    m.chooseUser = !accounts_.users().empty();
    m.newAccount = user;
    m.openAccount = hasAccounts;
    m.accountOpen = session_.isOpen();
    m.print = m.accountOpen && printerAvailable;
    m.password = user;
    m.allBalances = hasAccounts;
    m.handheld = HandheldExchange::available(builder_.get(), m.accountOpen);
    return m;
}

void Workspace::createBuilder() {
    builder_ = BuilderObject::create(paths_, registry_);
}

ExchangeOutcome Workspace::exportToHandheld(PalmUserChooser& chooser,
                                            const std::function<void(bool)>& busy) {
    if (!builder_ || !session_.isOpen()) {
        return {};
    }
    HandheldExchange exchange({*builder_.get(), registry_, paths_, dialogs_, chooser, busy});
    return exchange.exportAccount(
        {session_.user(), session_.account(), accounts_.password(), session_.euros()},
        session_.grid(), categories_, modes_);
}

ExchangeOutcome Workspace::importFromHandheld(PalmUserChooser& chooser,
                                              const std::function<void(bool)>& busy) {
    if (!builder_ || !session_.isOpen()) {
        return {};
    }
    HandheldExchange exchange({*builder_.get(), registry_, paths_, dialogs_, chooser, busy});
    SessionImportTarget target(session_);
    return exchange.importAccount(session_.user(), session_.account(), target, categories_, modes_);
}

void Workspace::tellSettingsNotices() {
    for (const std::string& notice : registry_.takeNotices()) {
        dialogs_.warn(notice);
    }
}

bool Workspace::saveSettings(const WindowPlacement& placement) {
    placement_ = placement;
    bool ok = registry_.update(Hive::CurrentUser, [&](platform::RegistryTree& t) {
        writeSettings(t, placement_, options_);
    });
    tellSettingsNotices();
    if (!ok) {
        dialogs_.fail(settingsSaveError(registry_));
    }
    for (const auto& [list, name] :
         {std::pair{&categories_, "Rubriques.txt"}, std::pair{&modes_, "Modes.txt"}}) {
        if (!list->save(paths_.dataFile(name))) {
            dialogs_.fail(cannotCreateMessage(paths_.dataFile(name)));
            ok = false;
        }
    }
    return session_.save() && ok;
}

bool Workspace::queryClose(const WindowPlacement& placement,
                           const std::function<void()>& offerBackup) {
    if (!saveSettings(placement)) {
        return false;
    }
    if (offerBackup) {
        offerBackup();
    }
    registry_.update(Hive::CurrentUser,
                     [&](platform::RegistryTree& t) { writeBackupOptions(t, options_); });
    return true;
}

void Workspace::setSounds(bool on) {
    options_.sons = on;
    session_.setSoundsOn(on);
}

} // namespace ledgora
