// The currency of a grid's amounts: every amount of a register or a planning converted
// between francs and euros in place, with the remainder columns the way back needs.
#pragma once

#include <string>

#include "money/FrancEuro.h"
#include "register/Grid.h"
#include "register/RegisterColumns.h"

namespace ledgora {

// One amount and its remainder, converted in place: to euros, the amount becomes its euros
// and `remainder` what the rounding dropped; to francs, the amount becomes its francs (the
// remainder added back when there is one) and `remainder` is emptied. Both are written
// with two decimals; an empty amount is left alone.
void convertAmount(std::string& amount, std::string& remainder, bool toEuros);

// Converts the debit and credit of rows firstRow.. in place: each non-empty amount is
// rewritten with two decimals, its remainder column filled (to euros) or emptied (to
// francs).
void convertAmountsToEuros(Grid& grid, const AmountColumns& columns, int firstRow = 1);
void convertAmountsToFrancs(Grid& grid, const AmountColumns& columns, int firstRow = 1);

} // namespace ledgora
