// The two pie charts of a report: its expenses (negative totals, drawn by their absolute
// value) and its receipts (totals of 0 or more), each slice labelled with its key and value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "money/Amount.h"
#include "reports/BudgetReport.h"

namespace ledgora {

inline constexpr std::string_view kExpensesTab = "Dépenses";
inline constexpr std::string_view kReceiptsTab = "Recettes";

struct PieSlice {
    std::string key;
    Cents value = 0; // 0 or more
    // "Courses : 120.00".
    std::string label() const;
};

struct PieChart {
    std::string title; // the report's caption + " - Dépenses" or " - Recettes"
    std::vector<PieSlice> slices;
    // The slice pulled out in 3D: the largest (the first of equals); -1 without slices.
    int largest = -1;
};

struct ReportPies {
    std::string caption; // the window's: the report's caption
    PieChart expenses;
    PieChart receipts;
};

ReportPies reportPies(const BudgetReport& report);

// How far the largest slice is pulled out, in percent of the radius: 20 in 3D, 0 flat.
int explodePercent(bool threeD);

} // namespace ledgora
