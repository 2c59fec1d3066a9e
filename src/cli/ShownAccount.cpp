#include "cli/ShownAccount.h"

#include <system_error>

#include "planning/BudgetStore.h"
#include "platform/SettingsKeys.h"
#include "register/Balances.h"
#include "register/RegisterRows.h"
#include "workspace/WindowCaption.h"

namespace cli {

namespace fs = std::filesystem;

// The account's maxima as the budget alarms keep them in the settings store; nothing is
// edited here, so there is no alarm to give.
class ShownAccount::StoredMaxima : public ledgora::BudgetLimits {
public:
    StoredMaxima(platform::Registry& registry, const std::string& user, const std::string& account)
        : store_(registry, user, account) {}
    ledgora::Cents monthlyMaximum(const std::string& category) const override {
        return store_.maximum(category);
    }

private:
    ledgora::BudgetStore store_;
};

std::unique_ptr<ShownAccount> ShownAccount::open(const fs::path& file, const platform::Paths& paths,
                                                 std::string& error) {
    std::unique_ptr<ShownAccount> shown(new ShownAccount());
    if (auto failed = ledgora::readAccountFile(file, shown->grid_)) {
        error = *failed;
        return nullptr;
    }
    ledgora::recomputeBalances(shown->grid_);
    const std::string account = file.stem().string();
    std::string user;
    bool euros = true;
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(fs::absolute(file, ec).parent_path(), ec);
    const fs::path data = fs::weakly_canonical(paths.dataFolder(), ec);
    if (!ec && folder.parent_path() == data) {
        user = folder.filename().string();
        shown->registry_ = std::make_unique<platform::Registry>(paths.registryFolder());
        euros = shown->registry_->readBool(platform::Hive::CurrentUser,
                                           platform::settings::accountKey(user, account),
                                           platform::settings::kEuro, true);
        shown->limits_ = std::make_unique<StoredMaxima>(*shown->registry_, user, account);
    } else {
        shown->limits_ = std::make_unique<ledgora::BudgetLimits>();
    }
    shown->spending_.rebuild(shown->grid_);
    shown->look_.emplace(*shown->limits_, &shown->spending_);
    shown->caption_ = ledgora::windowCaption(user, account, euros);
    return shown;
}

platform::Paths cliPaths() {
    return platform::Paths::fromEnvironment(fs::path());
}

} // namespace cli
