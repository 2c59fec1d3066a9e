#include "reports/Recap.h"

#include "platform/SettingsKeys.h"
#include "platform/TextCase.h"
#include "register/AccountNames.h"
#include "register/Currency.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "reports/Progression.h"

namespace ledgora {

Cents registerBalance(const Grid& reg) {
    Cents total = 0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        total = addCents(total, parseCents(reg.at(r, col::Credit)));
        total = addCents(total, -parseCents(reg.at(r, col::Debit)));
    }
    return total;
}

Cents balanceIn(Grid reg, bool accountEuros, bool inEuros) {
    if (inEuros && !accountEuros) {
        convertAmountsToEuros(reg, kRegisterAmounts);
    } else if (!inEuros && accountEuros) {
        convertAmountsToFrancs(reg, kRegisterAmounts);
    }
    return registerBalance(reg);
}

AllBalances::AllBalances(const platform::Registry& registry, const platform::Paths& paths,
                         std::string user, std::optional<OpenAccountGrid> open)
    : registry_(registry), paths_(paths), user_(std::move(user)), open_(std::move(open)),
      accounts_(listAccounts(paths_, user_)) {}

Recap AllBalances::compute(bool inEuros) const {
    Recap recap;
    recap.caption = user_ + " - Soldes de tous les comptes";
    recap.euros = inEuros;
    for (const std::string& account : accounts_) {
        RecapRow row{account, std::nullopt};
        if (open_ && platform::equalsIgnoreCase(open_->name, account)) {
            row.balance = balanceIn(open_->grid, open_->euros, inEuros);
        } else {
            const bool euros = registry_.readBool(platform::Hive::CurrentUser,
                                                  platform::settings::accountKey(user_, account),
                                                  platform::settings::kEuro, true);
            Grid scratch = makeRegister();
            if (auto error = loadGridFile(paths_.accountFile(user_, account), scratch)) {
                recap.problems.push_back(*error);
            } else {
                scratch.setColumnCount(kRegisterColumns);
                row.balance = balanceIn(std::move(scratch), euros, inEuros);
            }
        }
        if (row.balance) {
            recap.total = addCents(recap.total, *row.balance);
        }
        recap.rows.push_back(std::move(row));
    }
    return recap;
}

Grid recapGrid(const Recap& recap) {
    Grid grid(static_cast<int>(recap.rows.size()) + 1, 2);
    grid.set(0, 0, "Compte");
    grid.set(0, 1, "Solde");
    for (std::size_t i = 0; i < recap.rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.set(row, 0, recap.rows[i].account);
        if (recap.rows[i].balance) {
            grid.set(row, 1, formatCents(*recap.rows[i].balance));
        }
    }
    return grid;
}

BarChart recapChart(const Recap& recap) {
    BarChart chart{recap.caption, currencyAxisTitle(recap.euros), {}};
    for (const RecapRow& row : recap.rows) {
        chart.bars.push_back({row.account, row.balance.value_or(0)});
    }
    return chart;
}

} // namespace ledgora
