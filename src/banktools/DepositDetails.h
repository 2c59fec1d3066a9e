// What the deposit slip prints about the account: its number, the holder's name and the
// address, kept per account in the settings store, and the page header they make.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "register/CellRules.h"

namespace ledgora {

struct DepositDetails {
    std::string number;  // "Numéro"
    std::string name;    // "Nom"
    std::string address; // "Adresse", line breaks kept
    bool operator==(const DepositDetails&) const = default;
};

inline constexpr std::string_view kDepositDetailsCaption =
    "Renseignements à faire figurer sur le bordereau";

// Absent values read empty.
DepositDetails readDepositDetails(const platform::Registry& registry, const std::string& user,
                                  const std::string& account);
// The three values in one save; false when the settings could not be written.
bool writeDepositDetails(platform::Registry& registry, const std::string& user,
                         const std::string& account, const DepositDetails& details);

// The field the dialog's focus goes to: 0 number, 1 name, 2 address, the first empty one;
// nothing when all three are filled.
std::optional<int> firstEmptyDetail(const DepositDetails& details);

inline constexpr std::string_view kUnstorableDetail =
    "Ce renseignement contient des caractères qui ne peuvent pas être enregistrés.";

// The first field (numbered as above) holding a character the settings store would not
// give back as typed: one outside Windows-1252, or a control character other than a line
// break or a tab. Nothing when all three can be kept.
std::optional<int> unstorableDetail(const DepositDetails& details);

// The page header: "Bordereau de remise de chèques - Compte n° <number>", then the name,
// " - " and the address. A line break typed in a detail stays one: each line is one
// element.
std::vector<std::string> depositHeaderLines(const DepositDetails& details);

// The printed title's colour: red, black when printing in black and white.
Rgb depositTitleColour(bool blackAndWhite);

} // namespace ledgora
