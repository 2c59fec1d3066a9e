// Every key and value name of the settings store, in one place. Keys are relative to
// HKEY_CURRENT_USER and use "\" as separator.
#pragma once

#include <string>
#include <string_view>

namespace platform::settings {

// "Software\Orvand\Ledgora"
std::string root();
std::string mainWindowKey(); // root\MainW
std::string optionsKey();    // root\Options
std::string calculatorKey(); // root\Calculat
std::string usersKey();      // root\Users
std::string userKey(const std::string& user);
std::string accountKey(const std::string& user, const std::string& account);
std::string alarmsKey(const std::string& user, const std::string& account);

// "MainW"
inline constexpr std::string_view kX = "x";
inline constexpr std::string_view kY = "y";
inline constexpr std::string_view kW = "w";
inline constexpr std::string_view kH = "h";
inline constexpr std::string_view kMaxi = "Maxi";

// "Options"
inline constexpr std::string_view kNewSoldeInEuro = "NewSoldeInEuro";
inline constexpr std::string_view kChooseIndex = "ChooseIndex";
inline constexpr std::string_view kChooseUserIndex = "ChooseUserIndex";
inline constexpr std::string_view kCheminExport = "CheminExport";
inline constexpr std::string_view kExportFilterIndex = "ExportFilterIndex";
inline constexpr std::string_view kBW = "BW";
inline constexpr std::string_view kSons = "Sons";
inline constexpr std::string_view kRecapInEuro = "RecapInEuro";
inline constexpr std::string_view kNoBackupPrompt = "NoBackupPrompt";
inline constexpr std::string_view kCheminBackup = "CheminBackup";
inline constexpr std::string_view kMinutesAutoSave = "MinutesAutoSave";
inline constexpr std::string_view kActiveAutoSave = "ActiveAutoSave";
inline constexpr std::string_view kPalmUser = "PalmUser";

// "Users\<user>"
inline constexpr std::string_view kPassword = "Password";

// "Users\<user>\<account>"
inline constexpr std::string_view kEuro = "Euro";
inline constexpr std::string_view kBankSolde = "BankSolde";
inline constexpr std::string_view kBankSoldeEcart = "BankSoldeEcart";
inline constexpr std::string_view kLastMonth = "LastMonth";
inline constexpr std::string_view kLastYear = "LastYear";
inline constexpr std::string_view kLastNumVir = "lastnumvir";
inline constexpr std::string_view kDepositNumber = "Numéro";
inline constexpr std::string_view kDepositName = "Nom";
inline constexpr std::string_view kDepositAddress = "Adresse";

// "Users\<user>\<account>\Alarmes\<category>"
inline constexpr std::string_view kMontant = "Montant";
inline constexpr std::string_view kEcart = "Ecart";

} // namespace platform::settings
