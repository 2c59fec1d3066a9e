#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "register/Amount.h"
#include "register/Currency.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

TEST(Currency, RoundsFrancsToEurosWithTheirRemainder) {
    struct Case {
        double francs;
        const char* euros;
        const char* remainder;
    };
    const Case cases[] = {
        {100.00, "15.24", "0.03"}, {-10.00, "-1.52", "-0.03"},  {0.00, "0.00", "0.00"},
        {6.55957, "1.00", "0.00"}, {3279.79, "500.00", "0.01"}, {1.00, "0.15", "0.02"},
        {0.03, "0.00", "0.03"},    {0.04, "0.01", "-0.03"},     {1000000.00, "152449.02", "-0.02"},
    };
    for (const auto& c : cases) {
        const EuroAmount e = francsToEuros(c.francs);
        EXPECT_EQ(formatAmount(e.euros), c.euros) << c.francs;
        EXPECT_EQ(formatAmount(e.remainder), c.remainder) << c.francs;
    }
}

// What the register does: amounts and remainders go through their two-decimal text.
std::string roundTrip(const std::string& francs) {
    const EuroAmount e = francsToEuros(parseAmount(francs));
    const std::string euros = formatAmount(e.euros);
    const std::string remainder = formatAmount(e.remainder);
    return formatAmount(eurosToFrancs(parseAmount(euros), parseAmount(remainder)));
}

TEST(Currency, FrancsComeBackToTheCentime) {
    std::mt19937_64 rng(1999);
    std::uniform_int_distribution<long long> centimes(-1'000'000'000, 1'000'000'000);
    for (int i = 0; i < 10000; ++i) {
        const std::string francs = formatAmount(static_cast<double>(centimes(rng)) / 100.0);
        ASSERT_EQ(roundTrip(francs), francs);
    }
}

TEST(Currency, MultiplesOfFiveHundredEurosComeBackExactly) {
    // Every franc amount that becomes a multiple of 500 euros, up to 10 million euros.
    for (long long k = -200; k <= 20000; ++k) {
        const double euros = 500.0 * static_cast<double>(k);
        const double centre = std::round(euros * kFrancsPerEuro * 100.0);
        for (double c = centre - 4; c <= centre + 4; ++c) {
            const std::string francs = formatAmount(c / 100.0);
            if (formatAmount(francsToEuros(parseAmount(francs)).euros) != formatAmount(euros)) {
                continue;
            }
            ASSERT_EQ(roundTrip(francs), francs) << k;
        }
    }
}

TEST(Currency, EurosTypedInEurosConvertByThePlainProduct) {
    EXPECT_EQ(formatAmount(eurosToFrancs(15.24, std::nullopt)), "99.97");
    EXPECT_EQ(formatAmount(eurosToFrancs(500.00, std::nullopt)), "3279.79");
    EXPECT_EQ(formatAmount(eurosToFrancs(500.00, 0.0)), "3279.78");
}

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
