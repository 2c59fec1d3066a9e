// The monthly budget maxima as the register consults them: a category's maximum for the
// over-budget colouring and the reports, and the alarm after an edit that takes a category
// past its maximum in the edited row's month (a warning, with "alarme.wav" when sounds are on).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

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
    // The open account's budgets, if an account is open.
    std::optional<BudgetStore> store() const;

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
};

} // namespace ledgora
