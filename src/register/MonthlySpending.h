// Debits per category and month, computed once per change of the register so that
// painting a cell looks the sum up instead of rescanning the register.
#pragma once

#include <string>
#include <unordered_map>

#include "money/Amount.h"
#include "register/Grid.h"

namespace ledgora {

class MonthlySpending {
public:
    // Sums the debits of every dated row by exact category text, year and month.
    void rebuild(const Grid& reg);
    Cents spending(const std::string& category, int year, int month) const;

private:
    static std::string key(const std::string& category, int year, int month);
    std::unordered_map<std::string, Cents> sums_;
};

} // namespace ledgora
