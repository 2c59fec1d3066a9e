#include "planning/BudgetAlarm.h"

#include "money/DateText.h"
#include "planning/SpentInMonth.h"
#include "platform/TextCase.h"
#include "register/RegisterColumns.h"

namespace ledgora {

std::string budgetWarning(Cents maximum, Cents spent, bool euros, const std::string& category) {
    const char* currency = euros ? "Euros" : "Francs";
    return "Attention ! Vous aviez décidé de ne pas dépenser plus de " + formatCents(maximum) +
           " " + currency + " par mois pour la rubrique \"" + category +
           "\". Or, ce mois-ci, vous en êtes à " + formatCents(spent) + " " + currency + "...";
}

BudgetAlarm::BudgetAlarm(platform::Registry& registry, const platform::Paths& paths,
                         platform::Sounds& sounds, platform::Dialogs& dialogs,
                         std::function<bool()> soundsOn)
    : registry_(registry), paths_(paths), sounds_(sounds), dialogs_(dialogs),
      soundsOn_(std::move(soundsOn)) {}

void BudgetAlarm::setAccount(const std::string& user, const std::string& account) {
    store_.emplace(registry_, user, account);
    read_.clear();
}

void BudgetAlarm::clearAccount() {
    store_.reset();
    read_.clear();
}

std::vector<BudgetEntry> BudgetAlarm::entries(const std::vector<std::string>& categories) const {
    std::vector<BudgetEntry> out;
    out.reserve(categories.size());
    for (const std::string& c : categories) {
        out.push_back(store_ ? store_->entry(c) : BudgetEntry{c, {}, {}});
    }
    return out;
}

bool BudgetAlarm::replaceAll(const std::vector<BudgetEntry>& entries) {
    read_.clear();
    return store_ && store_->replaceAll(entries);
}

bool BudgetAlarm::convert(const std::vector<std::string>& categories, bool toEuros) {
    read_.clear();
    return store_ && store_->convert(categories, toEuros);
}

Cents BudgetAlarm::monthlyMaximum(const std::string& category) const {
    if (!store_ || category.empty()) {
        return 0;
    }
    const auto [it, added] = read_.try_emplace(platform::foldCase(category), 0);
    if (added) {
        it->second = store_->maximum(category);
    }
    return it->second;
}

void BudgetAlarm::alarmCheck(const Grid& reg, int row, const MonthlySpending& spending,
                             bool euros) {
    const std::string& category = reg.at(row, col::Rubrique);
    const Cents maximum = monthlyMaximum(category);
    if (maximum == 0) {
        return;
    }
    const auto date = parseDate(reg.at(row, col::Date));
    if (!date) {
        return;
    }
    const Cents spent = spentInMonth(spending, category, date->year, date->month);
    if (spent <= maximum) {
        return;
    }
    if (soundsOn_ && soundsOn_()) {
        sounds_.play(paths_.programFile(kAlarmSound));
    }
    dialogs_.warn(budgetWarning(maximum, spent, euros, category));
}

} // namespace ledgora
