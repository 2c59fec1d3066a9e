// The monthly budget maxima of one account, kept in the settings store under the account's
// "Alarmes" key: one section per category with "Montant" (the maximum in the account's
// currency) and "Ecart" (what its rounding to euros dropped, empty in francs).
#pragma once

#include <string>
#include <vector>

#include "money/Amount.h"
#include "platform/Registry.h"

namespace ledgora {

// One category's section as stored: both values as text, empty when absent.
struct BudgetEntry {
    std::string category;
    std::string montant;
    std::string ecart;
    bool operator==(const BudgetEntry&) const = default;
};

class BudgetStore {
public:
    // The budgets of `account` of `user`; the registry is borrowed.
    BudgetStore(platform::Registry& registry, std::string user, std::string account);

    BudgetEntry entry(const std::string& category) const;
    // "Montant" read as an amount; 0 (no maximum) when absent, unreadable or below zero.
    Cents maximum(const std::string& category) const;

    // "OK" of the alarms window: the "Alarmes" key is erased with everything under it and
    // one section written per entry, in one save. False when the settings cannot be saved.
    bool replaceAll(const std::vector<BudgetEntry>& entries);

    // After the account's currency changed, in one save: every category of `categories`
    // and every category that already has a section is converted. To euros, "Montant"
    // becomes the euros of the franc maximum and "Ecart" the remainder; to francs,
    // "Montant" becomes the francs the register's rule gives (the remainder added back
    // when there is one) and "Ecart" is emptied. Both values are written with two
    // decimals, 0.00 for a category without maximum.
    bool convert(const std::vector<std::string>& categories, bool toEuros);

private:
    std::string sectionKey(const std::string& category) const;

    platform::Registry& registry_;
    std::string key_;
};

} // namespace ledgora
