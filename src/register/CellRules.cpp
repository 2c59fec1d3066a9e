#include "register/CellRules.h"

#include <array>
#include <charconv>
#include <limits>
#include <string_view>
#include <unordered_set>

#include "money/Amount.h"
#include "money/DateText.h"
#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

std::optional<long long> wholeNumber(std::string_view text) {
    long long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::string> nextChequeNumber(const Grid& reg, int row) {
    for (int r = row - 1; r >= 1; --r) {
        const std::string& above = reg.at(r, col::Numero);
        if (above.empty() || above.compare(0, 3, "vir") == 0) {
            continue;
        }
        auto n = wholeNumber(above);
        if (!n || *n == std::numeric_limits<long long>::max()) {
            return std::nullopt;
        }
        std::unordered_set<std::string> used;
        for (int k = 1; k < reg.rowCount(); ++k) {
            if (k != row && !reg.at(k, col::Numero).empty()) {
                used.insert(reg.at(k, col::Numero));
            }
        }
        std::string candidate = std::to_string(++*n);
        while (used.count(candidate) != 0 && *n < std::numeric_limits<long long>::max()) {
            candidate = std::to_string(++*n);
        }
        return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> nearestAbove(const Grid& reg, int row, int column) {
    for (int r = row - 1; r >= 1; --r) {
        const std::string& above = reg.at(r, column);
        if (!above.empty() && above != kInitialBalanceText) {
            return above;
        }
    }
    return std::nullopt;
}

} // namespace

Rgb amountColor(double value) {
    return value >= 0 ? colors::kBlack : colors::kNegative;
}

bool isOverBudget(const Grid& reg, int row, const BudgetLimits& limits,
                  const MonthlySpending& spending) {
    const std::string& category = reg.at(row, col::Rubrique);
    const Cents maximum = limits.monthlyMaximum(category);
    if (maximum <= 0) {
        return false;
    }
    const auto date = parseDate(reg.at(row, col::Date));
    if (!date) {
        return false;
    }
    return spending.spending(category, date->year, date->month) > maximum;
}

CellStyle registerCellStyle(const Grid& reg, int row, int column, const BudgetLimits& limits,
                            const MonthlySpending* spending) {
    CellStyle style;
    style.ownBackground = row % 2 == 1 && column >= 1;
    style.background = style.ownBackground ? colors::kOddRow : colors::kRegister;
    if (row < 1) {
        return style;
    }
    switch (column) {
    case col::Debit:
        style.text = colors::kDebit;
        style.ownText = true;
        break;
    case col::Credit:
        style.text = colors::kCredit;
        style.ownText = true;
        break;
    case col::Solde: {
        const std::string& solde = reg.at(row, column);
        if (!solde.empty()) {
            style.text = amountColor(parseAmount(solde));
            style.ownText = true;
        }
        break;
    }
    case col::Rubrique:
        if (spending != nullptr && isOverBudget(reg, row, limits, *spending)) {
            style.text = colors::kNegative;
            style.bold = true;
            style.ownText = true;
        }
        break;
    default:
        break;
    }
    return style;
}

Alignment registerCellAlignment(int row, int column) {
    if (row == 0 || column == col::Number || column == col::Pointage) {
        return Alignment::Center;
    }
    if (column == col::Debit || column == col::Credit || column == col::Solde) {
        return Alignment::Right;
    }
    return Alignment::Left;
}

EditorKind registerEditorKind(int column) {
    switch (column) {
    case col::Pointage:
        return EditorKind::CheckBox;
    case col::Date:
        return EditorKind::Date;
    case col::Numero:
        return EditorKind::Number;
    case col::Rubrique:
        return EditorKind::Category;
    case col::Notes:
        return EditorKind::Text;
    case col::ModePaiement:
        return EditorKind::PaymentMode;
    case col::Debit:
    case col::Credit:
        return EditorKind::Decimal;
    default:
        return EditorKind::None;
    }
}

bool mayEditRegisterCell(const Grid& reg, int row, int column, const TransferLinks& links) {
    if (row < 1 || column < 1 || column >= kShownColumns || column == col::Solde) {
        return false;
    }
    if ((column == col::Numero || column == col::Notes) && links.isLinked(reg, row)) {
        return false;
    }
    if (column == col::Debit) {
        return reg.at(row, col::Credit).empty();
    }
    if (column == col::Credit) {
        return reg.at(row, col::Debit).empty();
    }
    return true;
}

std::string registerCellHint(const Grid& reg, int row, int column, const TransferLinks& links) {
    if (row >= 1 && (column == col::Numero || column == col::Notes) && links.isLinked(reg, row)) {
        return kLockedByTransferHint;
    }
    return {};
}

std::optional<std::string> clickFill(const Grid& reg, int row, int column) {
    if (row <= 1 || row >= reg.rowCount() || !reg.at(row, column).empty()) {
        return std::nullopt;
    }
    if (column == col::Numero) {
        return nextChequeNumber(reg, row);
    }
    if (column == col::Rubrique || column == col::ModePaiement) {
        return nearestAbove(reg, row, column);
    }
    return std::nullopt;
}

int paymentModePicture(const std::string& mode) {
    static constexpr std::array<std::string_view, 5> kModes = {
        "Carte de crédit", "Chèque", "Espèces", "Prélèvement", "Virement"};
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        if (mode == kModes[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace ledgora
