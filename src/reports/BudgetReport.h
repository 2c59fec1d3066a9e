// A budget or breakdown report: the register's operations totalled by category or payment
// mode over the request's period, in one pass; the totals of receipts and expenses; and
// the table the report window shows, prints and draws as pies.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "money/Amount.h"
#include "register/Grid.h"
#include "reports/ReportRequest.h"

namespace ledgora {

// The key of a row without category (or mode) that holds both a debit and a credit.
inline constexpr std::string_view kUnassignedKey = "Non affecté";
inline constexpr std::string_view kReceiptsLabel = "Recettes :";
inline constexpr std::string_view kExpensesLabel = "Dépenses :";

struct ReportLine {
    std::string key;
    Cents total = 0; // credits positive, debits negative
    bool operator==(const ReportLine&) const = default;
};

struct BudgetReport {
    ReportRequest request;
    std::string caption;
    std::vector<ReportLine> lines; // by key, in French order
    Cents receipts = 0;            // the totals of 0 or more
    Cents expenses = 0;            // the negative totals (negative)
    int periods = 0;               // averages: the months or years divided by
    bool empty() const { return lines.empty(); }
};

// "Aucune rubrique trouvée." or "Aucun mode de paiment trouvé.": shown instead of a report
// without any key.
std::string_view noKeyMessage(ReportKey key);

// "Rubriques" or "Modes de paiement".
std::string_view keyHeader(ReportKey key);

// The report of `reg` (rows 1..; sorted by date for the averages to count their periods
// as runs). `periodText` is the month ("mars 2024") or the year ("2024") of a breakdown,
// ignored by the other kinds.
//
// A row's key is its category (or mode); "Solde initial" counts as none, and a row without
// key holding both a debit and a credit is "Non affecté"; other rows without key are left
// out. A row counts with minus its debit, or its credit when it has one. Averages divide
// each total by the number of months (by month and year) or years the dated rows span.
BudgetReport buildReport(const Grid& reg, const ReportRequest& request, std::string_view periodText,
                         bool euros);

// The window's table: the header row ("Rubriques" or "Modes de paiement", "Montants")
// and one row per key with its total; the two further columns stay empty and hidden.
Grid reportGrid(const BudgetReport& report);

// |total|, held at the end of the range as sums are.
Cents magnitudeOf(Cents total);

// A total shown in red and bold when compared with budgets: the category has a maximum
// and the total's absolute value passes it (twelve times it for a year).
bool passesBudget(Cents total, Cents monthlyMaximum, bool yearly);

} // namespace ledgora
