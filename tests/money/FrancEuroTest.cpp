#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "money/Amount.h"
#include "money/FrancEuro.h"

namespace ledgora {
namespace {

TEST(FrancEuro, RoundsFrancsToEurosWithTheirRemainder) {
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

TEST(FrancEuro, FrancsComeBackToTheCentime) {
    std::mt19937_64 rng(1999);
    std::uniform_int_distribution<long long> centimes(-1'000'000'000, 1'000'000'000);
    for (int i = 0; i < 10000; ++i) {
        const std::string francs = formatAmount(static_cast<double>(centimes(rng)) / 100.0);
        ASSERT_EQ(roundTrip(francs), francs);
    }
}

TEST(FrancEuro, MultiplesOfFiveHundredEurosComeBackExactly) {
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

TEST(FrancEuro, EurosTypedInEurosConvertByThePlainProduct) {
    EXPECT_EQ(formatAmount(eurosToFrancs(15.24, std::nullopt)), "99.97");
    EXPECT_EQ(formatAmount(eurosToFrancs(500.00, std::nullopt)), "3279.79");
    EXPECT_EQ(formatAmount(eurosToFrancs(500.00, 0.0)), "3279.78");
}

} // namespace
} // namespace ledgora
