// The comparison of the reconciled balance with the last bank statement: the texts and
// colours of the result, and what the window keeps of the statement balance. The balance
// itself and its conversion live with the open account.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "register/CellRules.h"

namespace ledgora {

// "Euros" or "Francs", after the amounts of the bank tools.
std::string_view currencyWord(bool euros);

enum class Favour { Bank, You, Even };

struct FavourText {
    Favour favour;
    std::string_view suffix;
    Rgb colour;
};

// What follows the difference, and its colour.
inline constexpr std::array<FavourText, 3> kFavourTexts = {{
    {Favour::Bank, " en faveur de la banque", Rgb{255, 0, 0}},
    {Favour::You, " en votre faveur", Rgb{0, 0, 255}},
    {Favour::Even, " - Bravo !", Rgb{0, 0, 0}},
}};

const FavourText& favourText(Favour favour);

struct ReconciliationResult {
    Favour favour = Favour::Even;
    std::string text; // "50.00 Euros en faveur de la banque"
    Rgb colour;
};

// The reconciled balance as the window shows it: two decimals, a space, the currency word.
std::string reconciledText(double reconciled, bool euros);

// The statement balance `statement` (as typed in the number field: "," or ".", read by its
// longest leading number, a lone sign reads 0) against the reconciled text shown. Both are
// taken to the cent, so the verdict never hangs on a binary fraction: below the
// reconciled balance is in the bank's favour, above in the user's.
ReconciliationResult reconcile(std::string_view statement, std::string_view reconciled, bool euros);

// What the number field shows on opening for the stored balance: empty for 0.
std::string statementFieldText(double stored);

struct StatementBalance {
    double balance = 0.0;
    double remainder = 0.0; // francs the conversion to euros dropped
};

// The balance "Fermer" stores from the field. Its conversion remainder belongs to the
// stored amount only: unchanged to the cent, it is kept; a new amount starts without one,
// or the way back to francs would add it to an amount it never came from.
StatementBalance statementOnClose(std::string_view field, const StatementBalance& stored);

} // namespace ledgora
