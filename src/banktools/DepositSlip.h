// The cheque deposit slip: the cheques of the open account that may be deposited, the
// user's ticks and edited notes, the total of the ticked ones, their order, and the grid
// that goes to paper. The rows are rebuilt at every opening; nothing here touches the
// register.
#pragma once

#include <string>
#include <string_view>

#include "money/Amount.h"
#include "register/Grid.h"
#include "register/GridSearch.h"

namespace ledgora {

// The selection grid's columns.
namespace slip_col {
inline constexpr int Number = 0;
inline constexpr int Tick = 1; // "A remettre"
inline constexpr int Date = 2;
inline constexpr int Numero = 3;
inline constexpr int Rubrique = 4;
inline constexpr int Notes = 5;
inline constexpr int Montant = 6;
inline constexpr int Count = 7;
} // namespace slip_col

// The printed grid's columns: the selection's without the tick.
namespace slip_print_col {
inline constexpr int Number = 0;
inline constexpr int Date = 1;
inline constexpr int Numero = 2;
inline constexpr int Rubrique = 3;
inline constexpr int Notes = 4;
inline constexpr int Montant = 5;
inline constexpr int Count = 6;
} // namespace slip_print_col

inline constexpr std::string_view kNoChequeFound = "Aucun chèque à remettre trouvé.";
inline constexpr std::string_view kNoChequeTicked =
    "Vous n'avez sélectionné aucun chèque à remettre !";
inline constexpr std::string_view kDepositHint =
    "Cochez les chèques à inclure dans le bordereau de remise";

// A register row is a cheque to deposit when "Chèque" or "chèque" (exactly so: "CHEQUE"
// or "cheque" are not) occurs in its payment mode, its category or its notes, and its
// credit is not empty.
bool isChequeToDeposit(const Grid& reg, int row);

class DepositSlip {
public:
    // The caption row and one empty row.
    DepositSlip();

    // Rebuilds the rows from the register's cheques, unticked, sorted by date and
    // numbered; returns how many were found (0 leaves the one empty row).
    int fill(const Grid& reg);

    const Grid& grid() const { return grid_; }
    // Whether row > 0 holds a cheque.
    bool isCheque(int row) const;

    // The box and the notes are all the user may change; neither reaches the register.
    bool mayEdit(int row, int column) const;
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    void toggle(int row) { setTicked(row, !isTicked(row)); }
    void setNotes(int row, std::string notes);

    // The ticked amounts, each read to the cent.
    Cents total() const;
    int tickedCount() const;

    // A click on a caption: rows in that column's order (dates as dates, numbers and
    // amounts as numbers, texts alphabetically, ticked before unticked), equal rows kept in
    // their order, then renumbered. Nothing for the number column.
    void sortBy(int column);

    // The ticked rows, in the selection's order, without the box.
    Grid printGrid() const;

    // "&Chercher..." and "&Suivant" over the date to the amount.
    GridSearch& search() { return search_; }

private:
    Grid grid_;
    GridSearch search_{slip_col::Date, slip_col::Montant};
};

// "<title> - Bordereau de remise de chèques - <user> : compte "<account>" (Euros)".
std::string depositSlipCaption(std::string_view user, std::string_view account, bool euros);

// The total as the window shows it after "Total remis :": two decimals.
inline std::string depositTotalText(Cents total) {
    return formatCents(total);
}

// The printed title: "Total remis : 150.50 Euros".
std::string depositPrintTitle(Cents total, bool euros);

} // namespace ledgora
