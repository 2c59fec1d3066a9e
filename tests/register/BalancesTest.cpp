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
    EXPECT_DOUBLE_EQ(recomputeBalances(reg).balance, 12.5);
    EXPECT_EQ(reg.at(2, col::Solde), "12.50");
}

} // namespace
} // namespace ledgora
