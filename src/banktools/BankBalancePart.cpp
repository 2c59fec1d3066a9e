#include "banktools/BankBalancePart.h"

#include "money/Amount.h"
#include "money/FrancEuro.h"
#include "platform/SettingsKeys.h"

namespace ledgora {

namespace settings = platform::settings;

BankBalancePart::BankBalancePart(const platform::Registry& registry) : registry_(registry) {}

void BankBalancePart::created(const AccountRef&) {
    statement_ = {};
}

void BankBalancePart::closed() {
    statement_ = {};
}

void BankBalancePart::loaded(const AccountRef& account) {
    const std::string key = settings::accountKey(account.user, account.account);
    const auto read = [&](std::string_view name) {
        return parseAmount(registry_.readString(platform::Hive::CurrentUser, key, name));
    };
    statement_ = {read(settings::kBankSolde), read(settings::kBankSoldeEcart)};
}

void BankBalancePart::saving(const AccountRef&, PartSave& save) {
    save.values.emplace_back(settings::kBankSolde, formatAmount(statement_.balance));
    save.values.emplace_back(settings::kBankSoldeEcart, formatAmount(statement_.remainder));
}

void BankBalancePart::converted(const AccountRef&, bool toEuros) {
    if (toEuros) {
        const EuroAmount bank = francsToEuros(statement_.balance);
        statement_ = {bank.euros, bank.remainder};
    } else {
        statement_ = {eurosToFrancs(statement_.balance, statement_.remainder), 0.0};
    }
}

} // namespace ledgora
