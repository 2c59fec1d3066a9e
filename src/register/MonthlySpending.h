// Debits per category and month, computed once per change of the register so that
// painting a cell looks the sum up instead of rescanning the register. Only a category
// with a budget maximum is ever looked up, so an open register may leave the sums to be
// made when first asked for.
#pragma once

#include <string>
#include <unordered_map>

#include "money/Amount.h"
#include "register/Grid.h"

namespace ledgora {

class MonthlySpending {
public:
    // What one row adds to the sums, read before an edit of the row.
    struct Entry {
        bool counted = false; // a debit and a readable date
        std::string category;
        int year = 0;
        int month = 0;
        Cents debit = 0;
    };
    static Entry entryOf(const Grid& reg, int row);

    // Sums the debits of every dated row by exact category text, year and month.
    void rebuild(const Grid& reg);
    // As rebuild(), from `reg` as it stands when the sums are first asked for; `reg` must
    // live until then, or until the next rebuild.
    void rebuildWhenAsked(const Grid& reg);
    // After row `row` changed from `before`: the sums as rebuild() would make them. The
    // caller knows the sums stay exact (no sum near the ends of the range). Nothing to do
    // while the sums wait to be made: they will be made from the row as it now stands.
    void update(const Grid& reg, int row, const Entry& before);
    Cents spending(const std::string& category, int year, int month) const;
    // The same sums (a category, month and year summed to 0 counts as absent).
    bool operator==(const MonthlySpending& other) const;

private:
    static std::string key(const std::string& category, int year, int month);
    // Makes the sums a rebuildWhenAsked() left to be made.
    void settle() const;
    void makeSums(const Grid& reg) const;
    // The register to sum at the first question, if any; the sums are a cache of it.
    mutable const Grid* unsummed_ = nullptr;
    mutable std::unordered_map<std::string, Cents> sums_;
};

} // namespace ledgora
