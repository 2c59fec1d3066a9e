// The register's twelve columns: numbers, keys and captions, and the texts that mark
// special rows. Every module that reads the register names columns through these.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace ledgora {

namespace col {
inline constexpr int Number = 0;
inline constexpr int Pointage = 1;
inline constexpr int Date = 2;
inline constexpr int Numero = 3;
inline constexpr int Rubrique = 4;
inline constexpr int Notes = 5;
inline constexpr int ModePaiement = 6;
inline constexpr int Debit = 7;
inline constexpr int Credit = 8;
inline constexpr int Solde = 9;
inline constexpr int Deber = 10;
inline constexpr int Creder = 11;
} // namespace col

inline constexpr int kRegisterColumns = 12;
// Columns 10 and 11 are never shown.
inline constexpr int kShownColumns = 10;
// Caption row, initial-balance row, one blank row.
inline constexpr int kInitialRows = 3;

inline constexpr std::array<std::string_view, kRegisterColumns> kColumnKeys = {
    "",      "pointage", "date",  "numero", "rubrique", "notes", "modepaiement",
    "debit", "credit",   "solde", "deber",  "creder"};

inline constexpr std::array<std::string_view, kRegisterColumns> kColumnCaptions = {
    "",      "Pointage", "Date",  "Numéro", "Rubrique", "Notes", "Mode de paiement",
    "Débit", "Crédit",   "Solde", "",       ""};

// The column with that key, if any.
std::optional<int> columnOfKey(std::string_view key);

inline constexpr std::string_view kInitialBalanceText = "Solde initial";
// The reconciled mark of a ticked "pointage" cell.
inline constexpr std::string_view kTicked = "X";

// Where the amounts of a grid are: the register's, or the planning's.
struct AmountColumns {
    int debit;
    int credit;
    int debitRemainder;
    int creditRemainder;
};
inline constexpr AmountColumns kRegisterAmounts{col::Debit, col::Credit, col::Deber, col::Creder};

} // namespace ledgora
