// The four databases of an exchange with the handheld budget application: their files,
// creator, types and fields, the names the backup gives them back under, and how a cell
// read back from the handheld is made fit for the register.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ledgora::handheld {

inline constexpr std::string_view kCreator = "LdgR";
inline constexpr std::string_view kRegisterType = "CptE";
inline constexpr std::string_view kListType = "DATA";

inline constexpr std::string_view kCategoriesFile = "rubriques.pdb";
inline constexpr std::string_view kCategoryField = "rubrique";
// Exported as "Modes.pdb", looked for in the backup as "modes.pdb".
inline constexpr std::string_view kModesFile = "Modes.pdb";
inline constexpr std::string_view kModesBackupFile = "modes.pdb";
inline constexpr std::string_view kModeField = "modes";

inline constexpr std::string_view kParameterField = "parametre";
inline constexpr std::string_view kValueField = "valeur";
inline constexpr std::string_view kPasswordParameter = "password";
inline constexpr std::string_view kEuroParameter = "euro";

// The handheld application, shipped beside the program when it is available.
inline constexpr std::string_view kApplicationFile = "Budget.prc";

// <user>_<account>.pdb, the names as given.
std::string registerFileName(std::string_view user, std::string_view account);
// <user>_<account>_params.pdb.
std::string parametersFileName(std::string_view user, std::string_view account);
// The name with every space replaced by "_", as the import names the backup's files.
std::string withUnderscores(std::string_view name);

// The value of a text that is a decimal number as a whole (blanks around it and a sign
// allowed, "." as decimal point); nothing for any other text.
std::optional<double> numberText(std::string_view text);

// A value read back into register column `column`: from the debit column on, its first
// "," becomes "."; a debit or credit that is a number equal to 0 becomes empty.
std::string normaliseImportedCell(int column, std::string text);

} // namespace ledgora::handheld
