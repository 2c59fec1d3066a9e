// The balances of all the accounts of a user, side by side in one currency, with their
// grand total: each account's balance is its operations converted one by one to the
// chosen currency from the account's own (its "Euro" setting), then summed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "money/Amount.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/Grid.h"

namespace ledgora {

inline constexpr std::string_view kGeneralBalanceLabel = "Solde général : ";

// The open account as it stands, unsaved edits included: its row of the recap is computed
// from this register rather than from its file.
struct OpenAccountGrid {
    std::string name;
    const Grid& grid;
    bool euros;
};

struct RecapRow {
    std::string account;
    std::optional<Cents> balance; // nothing when the account file could not be read
};

struct Recap {
    std::string caption; // user + " - Soldes de tous les comptes"
    bool euros = true;
    std::vector<RecapRow> rows; // in the order of the user's accounts
    Cents total = 0;            // of the balances that could be read
    // Why an account has no balance: the message of its file ("Cannot open file ...").
    std::vector<std::string> problems;
};

// Credit minus debit over rows 1.. (the initial-balance row too).
Cents registerBalance(const Grid& reg);

// The balance of `reg`, kept in euros when `accountEuros`, in the chosen currency: the
// debits and credits are converted one by one with the register's rules, then summed.
Cents balanceIn(Grid reg, bool accountEuros, bool inEuros);

class AllBalances {
public:
    // The user's accounts are listed once, here. All references are borrowed.
    AllBalances(const platform::Registry& registry, const platform::Paths& paths, std::string user,
                std::optional<OpenAccountGrid> open = std::nullopt);

    const std::vector<std::string>& accounts() const { return accounts_; }
    // The recap in euros or in francs; computed again at each call.
    Recap compute(bool inEuros) const;

private:
    const platform::Registry& registry_;
    const platform::Paths& paths_;
    std::string user_;
    std::optional<OpenAccountGrid> open_;
    std::vector<std::string> accounts_;
};

// The recap window's table: "Compte" and "Solde", one row per account (an unreadable one
// with an empty balance).
Grid recapGrid(const Recap& recap);

// The bar chart of the recap: one bar per account with its balance.
struct Bar {
    std::string label;
    Cents value = 0;
};
struct BarChart {
    std::string title;          // the recap's caption
    std::string_view axisTitle; // "Euros" or "Francs"
    std::vector<Bar> bars;
};
BarChart recapChart(const Recap& recap);

} // namespace ledgora
