#include "planning/BudgetTable.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "register/FrenchCollation.h"

namespace ledgora {

std::string budgetTableCaption(bool euros) {
    return std::string("Alarmes budgétaires") + (euros ? " (Euros)" : " (Francs)");
}

std::string normaliseMaximum(std::string_view typed) {
    const std::string text = formatAmount(std::fabs(parseTypedAmount(typed)));
    return text == "0.00" ? std::string() : text;
}

BudgetTable::BudgetTable(std::vector<BudgetEntry> stored)
    : grid_(static_cast<int>(stored.size()) + 1, budget_col::Count) {
    grid_.set(0, budget_col::Category, "Rubriques");
    grid_.set(0, budget_col::Maximum, "Budget mensuel maximum à ne pas dépasser");
    std::stable_sort(stored.begin(), stored.end(), [](const BudgetEntry& a, const BudgetEntry& b) {
        return frenchLess(a.category, b.category);
    });
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const Cents maximum = parseCents(stored[i].montant);
        grid_.set(row, budget_col::Category, std::move(stored[i].category));
        grid_.set(row, budget_col::Maximum, maximum == 0 ? std::string() : formatCents(maximum));
        grid_.set(row, budget_col::Ecart, formatCents(parseCents(stored[i].ecart)));
    }
}

bool BudgetTable::mayEdit(int row, int column) {
    return row >= 1 && column == budget_col::Maximum;
}

bool refusesMaximum(std::string_view typed) {
    return !typableAmount(typed);
}

std::optional<std::string> BudgetTable::setMaximum(int row, std::string_view typed) {
    if (refusesMaximum(typed)) {
        return std::nullopt;
    }
    std::string text = normaliseMaximum(typed);
    if (text != grid_.at(row, budget_col::Maximum)) {
        grid_.set(row, budget_col::Ecart, {});
    }
    grid_.set(row, budget_col::Maximum, text);
    return text;
}

void BudgetTable::sortBy(int column) {
    const int n = grid_.rowCount() - 1;
    std::vector<int> order(static_cast<std::size_t>(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const std::string& x = grid_.at(a, column);
        const std::string& y = grid_.at(b, column);
        if (column == budget_col::Maximum) {
            return (x.empty() ? -1 : parseCents(x)) < (y.empty() ? -1 : parseCents(y));
        }
        return frenchLess(x, y);
    });
    grid_.permuteRows(1, order);
}

std::vector<BudgetEntry> BudgetTable::entries() const {
    std::vector<BudgetEntry> out;
    out.reserve(static_cast<std::size_t>(categoryCount()));
    for (int r = 1; r < grid_.rowCount(); ++r) {
        out.push_back({grid_.at(r, budget_col::Category), grid_.at(r, budget_col::Maximum),
                       grid_.at(r, budget_col::Ecart)});
    }
    return out;
}

} // namespace ledgora
