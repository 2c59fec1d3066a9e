// The monthly budget maxima of the open account as the register consults them: a
// category's maximum for the over-budget colouring and the reports, and the alarm after an
// edit that takes a category past its maximum in the edited row's month (a warning, with
// "alarme.wav" when sounds are on). The maxima are written through here too, so that the
// ones already read (every painted category cell asks) stay right.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "money/Amount.h"
#include "planning/BudgetStore.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Sounds.h"
#include "register/BudgetLimits.h"

namespace ledgora {

inline constexpr const char* kAlarmSound = "alarme.wav";

// "Attention ! Vous aviez décidé de ne pas dépenser plus de 100.00 Euros par mois pour la
// rubrique "Courses". Or, ce mois-ci, vous en êtes à 110.00 Euros...".
std::string budgetWarning(Cents maximum, Cents spent, bool euros, const std::string& category);

class BudgetAlarm : public BudgetLimits {
public:
    // Everything is borrowed. `soundsOn` tells whether the "&Sons" option is on, asked at
    // each alarm; "alarme.wav" is the program folder's.
    BudgetAlarm(platform::Registry& registry, const platform::Paths& paths,
                platform::Sounds& sounds, platform::Dialogs& dialogs,
                std::function<bool()> soundsOn);

    // The open account, whose budgets apply; without one no category has a maximum.
    void setAccount(const std::string& user, const std::string& account);
    void clearAccount();
    bool hasAccount() const { return store_.has_value(); }
    // The open account's stored budgets of `categories`, for the alarms window; empty
    // entries without an open account.
    std::vector<BudgetEntry> entries(const std::vector<std::string>& categories) const;

    // "OK" of the alarms window (BudgetStore::replaceAll); false without an open account or
    // when the settings could not be saved.
    bool replaceAll(const std::vector<BudgetEntry>& entries);
    // After the open account's currency changed (BudgetStore::convert).
    bool convert(const std::vector<std::string>& categories, bool toEuros);

    Cents monthlyMaximum(const std::string& category) const override;
    // Warns when the row's category has a maximum and its debits in the month and year of
    // the row's date, as `spending` holds them, are greater. A row without a readable date
    // has no month to compare and stays silent.
    void alarmCheck(const Grid& reg, int row, const MonthlySpending& spending, bool euros) override;

private:
    platform::Registry& registry_;
    const platform::Paths& paths_;
    platform::Sounds& sounds_;
    platform::Dialogs& dialogs_;
    std::function<bool()> soundsOn_;
    std::optional<BudgetStore> store_;
    // The maxima read since the account opened or its budgets were written, by category
    // folded as the settings store folds it.
    mutable std::unordered_map<std::string, Cents> read_;
};

} // namespace ledgora
