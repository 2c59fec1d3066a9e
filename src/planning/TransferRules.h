// What makes a register row a transfer between two of the user's accounts, how its two
// sides find each other, and how its amount crosses from one account's currency to the
// other's. Shared by the register's transfer check, the planning and automatic entry.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "register/Grid.h"

namespace ledgora {

// "(externe à Ledgora)": notes holding it belong to a transfer outside the user's accounts,
// which is never asked about again.
std::string outsideMarker();
bool hasOutsideMarker(std::string_view notes);
// The notes with the marker: after one space, or alone when the notes were empty.
std::string withOutsideMarker(const std::string& notes);

// The text, upper-cased, contains "VIREMENT".
bool mentionsTransfer(std::string_view text);
// The row's category or payment mode mentions a transfer.
bool isTransferRow(const Grid& reg, int row);

// The n of a "numero" "vir" + n, n a whole number written with digits only; nothing for
// any other text.
std::optional<long long> transferNumber(std::string_view numero);
std::string transferNumero(long long n);

// The account of `accounts` that `notes` name, compared without regard to case.
std::optional<std::string> namedAccount(const std::vector<std::string>& accounts,
                                        const std::string& notes);
// The accounts without `current` (compared without regard to case).
std::vector<std::string> otherAccounts(const std::vector<std::string>& accounts,
                                       const std::string& current);

// The first row of `other` from row 1 down whose notes are exactly `openAccount`, which is
// a transfer, and whose numero is "vir" + n; -1 when there is none.
int findTwin(const Grid& other, const std::string& openAccount, long long n);

// The row after the last row of `reg` holding an operation (1 when there is none).
int rowAfterLastOperation(const Grid& reg);

// An amount of an account in `fromEuros` currency as the account in `toEuros` currency
// holds it, with two decimals: euros to francs by the rate (rounded once, here); francs to
// euros by the franc-to-euro rule; copied within one currency.
std::string amountForAccount(std::string_view amount, bool fromEuros, bool toEuros);

inline constexpr const char* kTransferQuestionPrefix =
    "Ce virement concerne-t-il un autre de vos comptes enregistré avec ";
inline constexpr const char* kDestinationCaption = "Compte destination pour le virement";
inline constexpr const char* kTransferDone = "Virement effectué !";
inline constexpr const char* kTransferUpdated = "Virement mis à jour !";
inline constexpr const char* kTransferDeleted = "Virement supprimé !";

// "Ce virement concerne-t-il un autre de vos comptes enregistré avec Ledgora ?"
std::string transferQuestion();

// The answer to the transfer question: an account of `others` (the chooser's OK), an
// outside transfer (No), or nothing decided (the chooser cancelled).
struct TransferDestination {
    enum class Kind { Undecided, Account, Outside };
    Kind kind = Kind::Undecided;
    std::string account;
};
// Asks the question, then on Yes opens the account chooser on `others`, first one chosen.
TransferDestination askTransferDestination(platform::Dialogs& dialogs,
                                           const std::vector<std::string>& others);

} // namespace ledgora
