#include <gtest/gtest.h>

#include <string>

#include "register/Balances.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

TEST(Balances, AmountsTooLargeForADoubleCountAsZero) {
    const std::string digits400 = "1" + std::string(400, '0');
    Grid reg = makeRegister(4);
    reg.set(1, col::Credit, "12.50");
    reg.set(2, col::Credit, digits400);
    EXPECT_EQ(recomputeBalances(reg).balance, centsOf(12.5));
    EXPECT_EQ(reg.at(2, col::Solde), "12.50");
}

TEST(Balances, AMillionTenCentAmountsBalanceExactly) {
    constexpr int kRows = 1'000'000;
    Grid reg = makeRegister(kRows + 2);
    for (int r = 1; r <= kRows; ++r) {
        reg.set(r, col::Credit, "0.10");
        if (r % 2 == 0) {
            reg.set(r, col::Pointage, std::string(kTicked));
        }
    }
    const Balances b = recomputeBalances(reg);
    EXPECT_EQ(b.balance, 10'000'000);
    EXPECT_EQ(b.reconciled, 5'000'000);
    EXPECT_EQ(reg.at(kRows, col::Solde), "100000.00");
    EXPECT_EQ(reg.at(kRows / 2, col::Solde), "50000.00");
}

// A hand-edited file may hold more decimals than the program writes: each amount is read
// to the cent, half away from zero, before it is summed.
TEST(Balances, AmountsWithMoreDecimalsAreReadToTheCent) {
    struct Case {
        const char* debit;
        const char* credit;
        const char* solde;
    };
    const Case rows[] = {
        {"", "1.005", "1.01"},  {"", "2.004", "3.01"},  {"0.125", "", "2.88"},
        {"", "0.0049", "2.88"}, {"3.995", "", "-1.12"}, {"", "1e2", "98.88"},
        {"", "abc", "98.88"},
    };
    Grid reg = makeRegister(static_cast<int>(std::size(rows)) + 2);
    int r = 1;
    for (const Case& c : rows) {
        reg.set(r, col::Debit, c.debit);
        reg.set(r, col::Credit, c.credit);
        ++r;
    }
    EXPECT_EQ(recomputeBalances(reg).balance, 9888);
    r = 1;
    for (const Case& c : rows) {
        EXPECT_EQ(reg.at(r, col::Solde), c.solde) << "row " << r;
        ++r;
    }
}

} // namespace
} // namespace ledgora
