#include "banktools/DepositSlip.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "banktools/Reconciliation.h"
#include "money/DateText.h"
#include "platform/Paths.h"
#include "register/FrenchCollation.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

constexpr std::string_view kCaptions[slip_col::Count] = {
    "", "A remettre", "Date", "Numéro", "Rubrique", "Notes", "Montant"};

// Where each printed column comes from.
constexpr int kPrintSource[slip_print_col::Count] = {slip_col::Number, slip_col::Date,
                                                     slip_col::Numero, slip_col::Rubrique,
                                                     slip_col::Notes,  slip_col::Montant};

bool mentionsCheque(const std::string& text) {
    return text.find("Chèque") != std::string::npos || text.find("chèque") != std::string::npos;
}

Grid emptySlip() {
    Grid grid(2, slip_col::Count);
    for (int c = 0; c < slip_col::Count; ++c) {
        grid.set(0, c, std::string(kCaptions[c]));
    }
    renumberRows(grid);
    return grid;
}

} // namespace

bool isChequeToDeposit(const Grid& reg, int row) {
    if (reg.at(row, col::Credit).empty()) {
        return false;
    }
    return mentionsCheque(reg.at(row, col::ModePaiement)) ||
           mentionsCheque(reg.at(row, col::Rubrique)) || mentionsCheque(reg.at(row, col::Notes));
}

DepositSlip::DepositSlip() : grid_(emptySlip()) {}

int DepositSlip::fill(const Grid& reg) {
    grid_ = emptySlip();
    int found = 0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        if (!isChequeToDeposit(reg, r)) {
            continue;
        }
        ++found;
        if (found > 1) {
            grid_.insertRow(grid_.rowCount());
        }
        const int row = grid_.rowCount() - 1;
        grid_.set(row, slip_col::Date, reg.at(r, col::Date));
        grid_.set(row, slip_col::Numero, reg.at(r, col::Numero));
        grid_.set(row, slip_col::Rubrique, reg.at(r, col::Rubrique));
        grid_.set(row, slip_col::Notes, reg.at(r, col::Notes));
        grid_.set(row, slip_col::Montant, reg.at(r, col::Credit));
    }
    search_ = GridSearch(slip_col::Date, slip_col::Montant);
    sortBy(slip_col::Date);
    return found;
}

bool DepositSlip::isCheque(int row) const {
    return row > 0 && row < grid_.rowCount() && !grid_.at(row, slip_col::Montant).empty();
}

bool DepositSlip::mayEdit(int row, int column) const {
    return isCheque(row) && (column == slip_col::Tick || column == slip_col::Notes);
}

bool DepositSlip::isTicked(int row) const {
    return isCheque(row) && !grid_.at(row, slip_col::Tick).empty();
}

void DepositSlip::setTicked(int row, bool ticked) {
    if (isCheque(row)) {
        grid_.set(row, slip_col::Tick, ticked ? std::string(kTicked) : std::string());
    }
}

void DepositSlip::setNotes(int row, std::string notes) {
    if (isCheque(row)) {
        grid_.set(row, slip_col::Notes, std::move(notes));
    }
}

Cents DepositSlip::total() const {
    Cents sum = 0;
    for (int r = 1; r < grid_.rowCount(); ++r) {
        if (isTicked(r)) {
            sum = addCents(sum, parseCents(grid_.at(r, slip_col::Montant)));
        }
    }
    return sum;
}

int DepositSlip::tickedCount() const {
    int n = 0;
    for (int r = 1; r < grid_.rowCount(); ++r) {
        n += isTicked(r) ? 1 : 0;
    }
    return n;
}

void DepositSlip::sortBy(int column) {
    if (column <= slip_col::Number || column >= slip_col::Count || grid_.rowCount() < 3) {
        return;
    }
    const int n = grid_.rowCount() - 1;
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    const auto text = [&](int row) { return grid_.at(row, column); };
    // Keys are computed once per row, not once per comparison.
    std::vector<double> keys(static_cast<std::size_t>(n + 1), 0.0);
    for (int r = 1; r <= n; ++r) {
        double& key = keys[static_cast<std::size_t>(r)];
        switch (column) {
        case slip_col::Date:
            key = static_cast<double>(dateSortKey(text(r)));
            break;
        case slip_col::Numero:
        case slip_col::Montant:
            key = parseAmount(text(r));
            break;
        case slip_col::Tick:
            key = isTicked(r) ? 0.0 : 1.0;
            break;
        default:
            break;
        }
    }
    const bool alphabetical = column == slip_col::Rubrique || column == slip_col::Notes;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (alphabetical) {
            return frenchLess(text(a), text(b));
        }
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    grid_.permuteRows(1, order);
    renumberRows(grid_);
}

Grid DepositSlip::printGrid() const {
    Grid out(1, slip_print_col::Count);
    for (int c = 0; c < slip_print_col::Count; ++c) {
        out.set(0, c, grid_.at(0, kPrintSource[c]));
    }
    for (int r = 1; r < grid_.rowCount(); ++r) {
        if (!isTicked(r)) {
            continue;
        }
        const int row = out.rowCount();
        out.insertRow(row);
        for (int c = 1; c < slip_print_col::Count; ++c) {
            out.set(row, c, grid_.at(r, kPrintSource[c]));
        }
    }
    renumberRows(out);
    return out;
}

std::string depositSlipCaption(std::string_view user, std::string_view account, bool euros) {
    std::string text(platform::kAppTitle);
    text += " - Bordereau de remise de chèques - ";
    text += user;
    text += " : compte \"";
    text += account;
    text += euros ? "\" (Euros)" : "\" (Francs)";
    return text;
}

std::string depositPrintTitle(Cents total, bool euros) {
    return "Total remis : " + depositTotalText(total) + " " + std::string(currencyWord(euros));
}

} // namespace ledgora
