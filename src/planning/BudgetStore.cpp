#include "planning/BudgetStore.h"

#include <unordered_set>

#include "platform/SettingsKeys.h"
#include "platform/TextCase.h"
#include "register/Currency.h"

namespace ledgora {
namespace {

using platform::Hive;
using platform::RegistryTree;
using platform::RegistryValue;
namespace settings = platform::settings;

std::string textOf(const RegistryTree& tree, const std::string& key, std::string_view name) {
    const RegistryValue* v = tree.value(key, name);
    if (v == nullptr) {
        return {};
    }
    return v->type == RegistryValue::Type::Dword ? std::to_string(v->dword) : v->text;
}

} // namespace

BudgetStore::BudgetStore(platform::Registry& registry, std::string user, std::string account)
    : registry_(registry), key_(settings::alarmsKey(user, account)) {}

std::string BudgetStore::sectionKey(const std::string& category) const {
    return key_ + '\\' + category;
}

BudgetEntry BudgetStore::entry(const std::string& category) const {
    const std::string key = sectionKey(category);
    return {category, registry_.readString(Hive::CurrentUser, key, settings::kMontant),
            registry_.readString(Hive::CurrentUser, key, settings::kEcart)};
}

Cents BudgetStore::maximum(const std::string& category) const {
    const Cents m = parseCents(
        registry_.readString(Hive::CurrentUser, sectionKey(category), settings::kMontant));
    return m > 0 ? m : 0;
}

bool BudgetStore::replaceAll(const std::vector<BudgetEntry>& entries) {
    return registry_.update(Hive::CurrentUser, [&](RegistryTree& tree) {
        tree.eraseKey(key_);
        for (const BudgetEntry& e : entries) {
            // A name the settings store cannot hold has no section, hence no maximum.
            const std::string key = sectionKey(e.category);
            tree.setValue(key, settings::kMontant, RegistryValue::string(e.montant));
            tree.setValue(key, settings::kEcart, RegistryValue::string(e.ecart));
        }
    });
}

bool BudgetStore::convert(const std::vector<std::string>& categories, bool toEuros) {
    return registry_.update(Hive::CurrentUser, [&](RegistryTree& tree) {
        // The list's categories, then those that have a maximum without being in the list
        // (removed from it since): left unconverted, they would be compared in the wrong
        // currency. Section names ignore case, as the store does.
        std::vector<std::string> names;
        std::unordered_set<std::string> seen;
        for (const std::string& c : categories) {
            if (seen.insert(platform::foldCase(c)).second) {
                names.push_back(c);
            }
        }
        for (const std::string& c : tree.subKeys(key_)) {
            if (tree.value(sectionKey(c), settings::kMontant) != nullptr &&
                seen.insert(platform::foldCase(c)).second) {
                names.push_back(c);
            }
        }
        for (const std::string& c : names) {
            const std::string key = sectionKey(c);
            std::string montant = textOf(tree, key, settings::kMontant);
            std::string ecart = textOf(tree, key, settings::kEcart);
            if (montant.empty()) {
                montant.push_back('0');
            }
            convertAmount(montant, ecart, toEuros);
            tree.setValue(key, settings::kMontant, RegistryValue::string(montant));
            tree.setValue(key, settings::kEcart, RegistryValue::string(ecart));
        }
    });
}

} // namespace ledgora
