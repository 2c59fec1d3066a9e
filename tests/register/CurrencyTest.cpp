#include <gtest/gtest.h>

#include "register/Currency.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

TEST(Currency, ConvertsTheAmountsOfAGrid) {
    Grid reg = makeRegister(4);
    reg.set(1, col::Debit, "100.00");
    reg.set(2, col::Credit, "-10.00");
    reg.set(3, col::Notes, "no amount");
    convertAmountsToEuros(reg, kRegisterAmounts);
    EXPECT_EQ(reg.at(1, col::Debit), "15.24");
    EXPECT_EQ(reg.at(1, col::Deber), "0.03");
    EXPECT_EQ(reg.at(2, col::Credit), "-1.52");
    EXPECT_EQ(reg.at(2, col::Creder), "-0.03");
    EXPECT_EQ(reg.at(3, col::Deber), "");
    convertAmountsToFrancs(reg, kRegisterAmounts);
    EXPECT_EQ(reg.at(1, col::Debit), "100.00");
    EXPECT_EQ(reg.at(1, col::Deber), "");
    EXPECT_EQ(reg.at(2, col::Credit), "-10.00");
    EXPECT_EQ(reg.at(2, col::Creder), "");
}

} // namespace
} // namespace ledgora
