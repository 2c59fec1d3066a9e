#include "planning/PlanningSheet.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "planning/TransferRules.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "register/FrenchCollation.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

// The day as a whole number, or nothing when the text is not one.
std::optional<long long> dayNumber(std::string_view text) {
    long long v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

bool isAmountColumn(int column) {
    return column == planning_col::Debit || column == planning_col::Credit;
}

bool sortsAsNumber(int column) {
    return column == planning_col::Day || isAmountColumn(column);
}

} // namespace

std::string planningCaption(const std::string& user, const std::string& account, bool euros) {
    return std::string(platform::kAppTitle) + " - Opérations mensuelles planifiées - " + user +
           " : compte \"" + account + "\"" + (euros ? " (Euros)" : " (Francs)");
}

bool isBlankPlanningRow(const Grid& planning, int row) {
    for (int c = planning_col::Day; c <= planning_col::Credit; ++c) {
        if (!planning.at(row, c).empty()) {
            return false;
        }
    }
    return true;
}

PlanningTotals planningTotals(const Grid& planning) {
    PlanningTotals t;
    for (int r = 1; r < planning.rowCount(); ++r) {
        t.debits = addCents(t.debits, parseCents(planning.at(r, planning_col::Debit)));
        t.credits = addCents(t.credits, parseCents(planning.at(r, planning_col::Credit)));
    }
    return t;
}

EditorKind planningEditorKind(int column) {
    switch (column) {
    case planning_col::Day:
        return EditorKind::Number;
    case planning_col::Rubrique:
        return EditorKind::Category;
    case planning_col::Notes:
        return EditorKind::Text;
    case planning_col::Mode:
        return EditorKind::PaymentMode;
    case planning_col::Debit:
    case planning_col::Credit:
        return EditorKind::Decimal;
    case planning_col::Entered:
        return EditorKind::CheckBox;
    default:
        return EditorKind::None;
    }
}

PlanningSheet::PlanningSheet(Grid& grid, NameList& categories, NameList& modes,
                             platform::Dialogs& dialogs,
                             std::function<std::vector<std::string>()> otherAccounts)
    : grid_(grid), categories_(categories), modes_(modes), dialogs_(dialogs),
      otherAccounts_(std::move(otherAccounts)) {}

bool PlanningSheet::mayEdit(int row, int column) const {
    if (row < 1 || row >= grid_.rowCount() || column < 1 || column >= planning_col::Shown) {
        return false;
    }
    if (column == planning_col::Debit) {
        return grid_.at(row, planning_col::Credit).empty();
    }
    if (column == planning_col::Credit) {
        return grid_.at(row, planning_col::Debit).empty();
    }
    return true;
}

void PlanningSheet::checkDay(std::string& day) {
    const std::string typed = day;
    if (typed == "0") {
        day.clear();
    }
    if (typed == "29" || typed == "30" || typed == "31") {
        dialogs_.warn(kLeapYearWarning);
    }
    if (typed == "31") {
        dialogs_.warn(kShortMonthWarning);
    }
    if (!typed.empty()) {
        const auto n = dayNumber(typed);
        if (!n || *n <= 0 || *n >= 32) {
            dialogs_.fail(kBadEntry);
            day.clear();
        }
    }
}

void PlanningSheet::askTransfer(int row) {
    const std::string& notes = grid_.at(row, planning_col::Notes);
    if (hasOutsideMarker(notes)) {
        return;
    }
    const auto others = otherAccounts_ ? otherAccounts_() : std::vector<std::string>();
    if (others.empty() || !mentionsTransfer(grid_.at(row, planning_col::Mode))) {
        return;
    }
    const TransferDestination answer = askTransferDestination(dialogs_, others);
    if (answer.kind == TransferDestination::Kind::Account) {
        grid_.set(row, planning_col::Notes, answer.account);
    } else if (answer.kind == TransferDestination::Kind::Outside) {
        grid_.set(row, planning_col::Notes, withOutsideMarker(notes));
    }
}

void PlanningSheet::validateCell(int row, int column, std::string text) {
    if (!grid_.contains(row, column)) {
        return;
    }
    if (!validating_ || row == 0 || column == 0) {
        grid_.set(row, column, std::move(text));
        return;
    }
    if (column == planning_col::Rubrique || column == planning_col::Mode) {
        text = platform::capitalizeFirstAscii(text);
        (column == planning_col::Rubrique ? categories_ : modes_).add(text);
    }
    if (isAmountColumn(column)) {
        text = normaliseAmountText(text);
        // A remainder belongs to the converted amount it came with: beside a new amount it
        // would be added to that one on the way back to francs.
        if (text != grid_.at(row, column)) {
            grid_.set(row,
                      column == planning_col::Debit ? planning_col::Deber : planning_col::Creder,
                      {});
        }
    }
    if (column == planning_col::Day) {
        checkDay(text);
    }
    grid_.set(row, column, std::move(text));
    if (column == planning_col::Mode) {
        askTransfer(row);
    }
    if (row == grid_.rowCount() - 1) {
        appendLine();
    }
}

std::optional<std::string> PlanningSheet::clickFill(int row, int column) const {
    if (column != planning_col::Day && column != planning_col::Rubrique &&
        column != planning_col::Mode) {
        return std::nullopt;
    }
    if (row <= 1 || row >= grid_.rowCount() || !grid_.at(row, column).empty()) {
        return std::nullopt;
    }
    for (int r = row - 1; r >= 1; --r) {
        if (!grid_.at(r, column).empty()) {
            return grid_.at(r, column);
        }
    }
    return std::nullopt;
}

void PlanningSheet::appendLine() {
    appendRow(grid_);
}

bool PlanningSheet::canInsertAfter(int row) const {
    return row >= 1 && row < grid_.rowCount() - 1;
}

bool PlanningSheet::insertLineAfter(int row) {
    if (!canInsertAfter(row)) {
        return false;
    }
    grid_.insertRow(row + 1);
    renumberRows(grid_);
    return true;
}

bool PlanningSheet::canDelete(int row) const {
    const int last = grid_.rowCount() - 1;
    if (row < 1 || row > last || grid_.rowCount() < 3) {
        return false;
    }
    return !(row == last && isBlankPlanningRow(grid_, row));
}

bool PlanningSheet::deleteLine(int row) {
    if (!canDelete(row) ||
        !dialogs_.confirm("Voulez-vous vraiment supprimer la ligne " + grid_.at(row, 0) + " ?")) {
        return false;
    }
    grid_.removeRow(row);
    // The row typed into last is always there, whatever was removed.
    if (grid_.rowCount() < 2 || !isBlankPlanningRow(grid_, grid_.rowCount() - 1)) {
        grid_.insertRow(grid_.rowCount());
    }
    renumberRows(grid_);
    return true;
}

void PlanningSheet::cleanUp() {
    grid_.removeRowsIf(1, isBlankPlanningRow);
    appendLine();
}

void PlanningSheet::sortBy(int column) {
    if (column < 1 || column >= planning_col::Shown) {
        return;
    }
    const int n = grid_.rowCount() - 1;
    std::vector<int> order(static_cast<std::size_t>(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 1);
    const auto key = [&](int r) { return grid_.at(r, column); };
    if (sortsAsNumber(column)) {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return parseAmount(key(a)) < parseAmount(key(b)); });
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return frenchLess(key(a), key(b)); });
    }
    grid_.permuteRows(1, order);
    const bool was = validating_;
    validating_ = false;
    cleanUp();
    validating_ = was;
}

std::optional<CellPosition> PlanningSheet::tellMiss(std::optional<CellPosition> found) {
    if (!found) {
        dialogs_.inform(kSearchMiss);
    }
    return found;
}

std::optional<CellPosition> PlanningSheet::find(const FindOptions& options, CellPosition current) {
    return tellMiss(search_.find(grid_, options, current));
}

std::optional<CellPosition> PlanningSheet::findNext() {
    return tellMiss(search_.findNext(grid_));
}

} // namespace ledgora
