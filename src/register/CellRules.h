// How each cell of the register is drawn, edited and clicked: pure rules that the grid
// view, the printout and the HTML export all ask, so they agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "register/BudgetLimits.h"
#include "register/Grid.h"
#include "register/MonthlySpending.h"
#include "register/TransferLinks.h"

namespace ledgora {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb kRegister{255, 255, 233};
inline constexpr Rgb kOddRow{230, 255, 255};
inline constexpr Rgb kDebit{0, 128, 0};
inline constexpr Rgb kCredit{0, 0, 255};
inline constexpr Rgb kNegative{255, 0, 0};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kHint{240, 202, 166};
// The caption row and the number column (the classic button face).
inline constexpr Rgb kFixed{192, 192, 192};
} // namespace colors

struct CellStyle {
    Rgb background = colors::kRegister;
    Rgb text = colors::kBlack;
    bool bold = false;
    // Whether the rule itself chose the background (an odd row) or the text colour (an
    // amount, a balance, a category over its budget), rather than leaving the grid's own:
    // exports and printouts write only the colours the rule sets.
    bool ownBackground = false;
    bool ownText = false;
};

// The colours of a cell of row >= 1 and column >= 1 (the caption row and the number
// column keep the grid's fixed colours). `spending` may be null when no category has a
// maximum; the budget colouring then never applies.
CellStyle registerCellStyle(const Grid& reg, int row, int column, const BudgetLimits& limits,
                            const MonthlySpending* spending);

// Black for zero or more, red below: the balances in the status bar and the "solde" cells.
Rgb amountColor(double value);

// True when the row has a date and its category spent more than its monthly maximum in
// that month.
bool isOverBudget(const Grid& reg, int row, const BudgetLimits& limits,
                  const MonthlySpending& spending);

enum class Alignment { Left, Center, Right };
Alignment registerCellAlignment(int row, int column);

enum class EditorKind { None, CheckBox, Date, Number, Category, PaymentMode, Decimal, Text };
EditorKind registerEditorKind(int column);

// Whether a cell of an operation row may be edited.
bool mayEditRegisterCell(const Grid& reg, int row, int column, const TransferLinks& links);

// The hint over a cell; empty for none.
std::string registerCellHint(const Grid& reg, int row, int column, const TransferLinks& links);

// What a click on an empty cell fills in: the next free cheque number under "numero", the
// nearest category or mode above under "rubrique" and "modepaiement". Nothing otherwise.
std::optional<std::string> clickFill(const Grid& reg, int row, int column);

// 0 "Carte de crédit", 1 "Chèque", 2 "Espèces", 3 "Prélèvement", 4 "Virement" (exact text);
// -1 for any other mode.
int paymentModePicture(const std::string& mode);

inline constexpr const char* kLockedByTransferHint = "Cellule verrouillée par un virement interne";

} // namespace ledgora
