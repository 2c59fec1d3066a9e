#include "reports/BudgetReport.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>

#include "money/DateText.h"
#include "register/FrenchCollation.h"
#include "register/KeptCellTexts.h"
#include "register/RegisterColumns.h"
#include "reports/PeriodChoice.h"

namespace ledgora {
namespace {

// total / count, rounded half away from zero to the cent.
Cents divideRounded(Cents total, int count) {
    const Cents magnitude = magnitudeOf(total);
    Cents q = magnitude / count;
    if (2 * (magnitude % count) >= count) {
        ++q;
    }
    return total < 0 ? -q : q;
}

} // namespace

Cents magnitudeOf(Cents total) {
    if (total == std::numeric_limits<Cents>::min()) {
        return std::numeric_limits<Cents>::max();
    }
    return total < 0 ? -total : total;
}

std::string_view noKeyMessage(ReportKey key) {
    return key == ReportKey::Category ? "Aucune rubrique trouvée."
                                      : "Aucun mode de paiment trouvé.";
}

std::string_view keyHeader(ReportKey key) {
    return key == ReportKey::Category ? "Rubriques" : "Modes de paiement";
}

BudgetReport buildReport(const Grid& reg, const ReportRequest& request, std::string_view periodText,
                         bool euros) {
    BudgetReport report{request, reportCaption(request, periodText, euros), {}, 0, 0, 0};
    const bool average = request.kind == PeriodKind::Average;
    const bool bounded =
        request.kind == PeriodKind::OneMonth || request.kind == PeriodKind::OneYear;
    const std::optional<PeriodBounds> bounds =
        bounded ? periodBounds(request.kind, periodText) : std::nullopt;
    const int keyColumn = request.key == ReportKey::Category ? col::Rubrique : col::ModePaiement;

    // Keys point into the register's cells, which outlive the pass, or, for a text the
    // grid writes out on each read (a number, packed digits), into a copy kept here.
    std::unordered_map<std::string_view, std::size_t> index;
    KeptCellTexts keptKeys;
    std::vector<ReportLine>& lines = report.lines;
    std::optional<int> lastPeriod;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const std::string& dateText = reg.at(r, col::Date);
        std::optional<Date> date;
        if (!dateText.empty()) {
            date = parseDate(dateText);
        }
        if (average && date) {
            // Months by month and year: January of two years are two months.
            const int period = request.yearly ? date->year : date->year * 12 + date->month;
            if (period != lastPeriod) {
                ++report.periods;
                lastPeriod = period;
            }
        }
        const std::string& debit = reg.at(r, col::Debit);
        const std::string& credit = reg.at(r, col::Credit);
        const CellText keyText = reg.at(r, keyColumn);
        std::string_view key = keyText;
        if (key == kInitialBalanceText) {
            key = {};
        }
        if (key.empty() && !debit.empty() && !credit.empty()) {
            key = kUnassignedKey;
        }
        if (key.empty()) {
            continue;
        }
        if (bounded && !(date && bounds && bounds->contains(*date))) {
            continue;
        }
        auto it = index.find(key);
        if (it == index.end()) {
            it = index
                     .emplace(key.data() == keyText.data() ? keptKeys.keep(keyText) : key,
                              lines.size())
                     .first;
            lines.push_back({std::string(key), 0});
        }
        const Cents amount = !credit.empty()  ? parseCents(credit)
                             : !debit.empty() ? -parseCents(debit)
                                              : 0;
        Cents& total = lines[it->second].total;
        total = addCents(total, amount);
    }

    if (average && report.periods > 0) {
        for (ReportLine& line : lines) {
            line.total = divideRounded(line.total, report.periods);
        }
    }
    for (const ReportLine& line : lines) {
        Cents& sum = line.total >= 0 ? report.receipts : report.expenses;
        sum = addCents(sum, line.total);
    }
    std::sort(lines.begin(), lines.end(),
              [](const ReportLine& a, const ReportLine& b) { return frenchLess(a.key, b.key); });
    return report;
}

Grid reportGrid(const BudgetReport& report) {
    Grid grid(static_cast<int>(report.lines.size()) + 1, 4);
    grid.set(0, 0, std::string(keyHeader(report.request.key)));
    grid.set(0, 1, "Montants");
    for (std::size_t i = 0; i < report.lines.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.set(row, 0, report.lines[i].key);
        grid.set(row, 1, formatCents(report.lines[i].total));
    }
    return grid;
}

bool passesBudget(Cents total, Cents monthlyMaximum, bool yearly) {
    if (monthlyMaximum <= 0) {
        return false;
    }
    const Cents limit = yearly ? monthlyMaximum * 12 : monthlyMaximum;
    return magnitudeOf(total) > limit;
}

} // namespace ledgora
