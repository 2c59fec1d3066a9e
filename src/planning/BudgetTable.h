// The grid of the alarms window: one row per category with its monthly maximum and, out
// of sight, the remainder that maximum carries; the validation of a typed maximum, and the
// budgets "OK" writes anew from the grid (BudgetAlarm::replaceAll(table.entries())).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "planning/BudgetStore.h"
#include "register/Grid.h"

namespace ledgora {

namespace budget_col {
inline constexpr int Category = 0;
inline constexpr int Maximum = 1;
inline constexpr int Ecart = 2; // never shown
inline constexpr int Count = 3;
} // namespace budget_col

// Asked after a new account was created; "Oui" opens the alarms window.
inline constexpr const char* kBudgetQuestion =
    "Voulez-vous saisir maintenant des budgets mensuels par rubriques afin de déclencher des "
    "alarmes en cas de dépassement ?";

// Shown instead of the window when there is no category.
inline constexpr const char* kNoCategoryMessage =
    "Aucune rubrique n'est définie. Pour créer des rubriques, cliquez sur Options|Rubriques et "
    "modes de paiement.";

// "Alarmes budgétaires (Euros)" or "Alarmes budgétaires (Francs)".
std::string budgetTableCaption(bool euros);

// A typed maximum as the cell keeps it: the first "," read as ".", the sign dropped, two
// decimals; empty for 0 (no maximum).
std::string normaliseMaximum(std::string_view typed);

// A typed maximum the window refuses, leaving the cell as it was: one the numeric box
// could not have typed as an amount (typableAmount(): "1 234,56", "80 €", "1,2,3" or "--5"
// would read as 1, 80, 1.20 or nothing), or a number too large to be read back as one.
bool refusesMaximum(std::string_view typed);

class BudgetTable {
public:
    // The header row and one row per category of `stored` (BudgetAlarm::entries of the
    // category list), sorted by name: the stored maximum with two decimals (empty when
    // there is none) and its remainder with two decimals.
    explicit BudgetTable(std::vector<BudgetEntry> stored);

    const Grid& grid() const { return grid_; }
    int categoryCount() const { return grid_.rowCount() - 1; }

    // Only the maximum of a category row can be edited.
    static bool mayEdit(int row, int column);

    // The user typed `typed` as the maximum of `row` (a category row): the cell keeps
    // normaliseMaximum(typed). A maximum that changes drops its remainder: the remainder
    // belongs to the converted maximum, and beside a new one it would be added to it on
    // the way back to francs. Returns the text kept; nothing, and the row unchanged, when
    // refusesMaximum(typed).
    std::optional<std::string> setMaximum(int row, std::string_view typed);

    // The rows sorted on a column: names in French order, maxima as numbers (empty first).
    void sortBy(int column);

    // What "OK" writes: per row, "Montant" as shown and "Ecart" as held.
    std::vector<BudgetEntry> entries() const;

private:
    Grid grid_;
};

} // namespace ledgora
