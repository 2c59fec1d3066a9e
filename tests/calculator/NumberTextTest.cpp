#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

#include "calculator/NumberText.h"

namespace calculator {
namespace {

TEST(NumberTextTest, GeneralFormatKeepsFifteenDigitsAndSwitchesToScientificAtTheLimits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {5, "5"},
        {-0.5, "-0,5"},
        {123.456, "123,456"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {999999999999999, "999999999999999"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {1.5e-7, "1,5E-7"},
        {0.00001, "0,00001"},
        {0.0000123, "0,0000123"},
        {0.00000999, "9,99E-6"},
        {7.257415615307994e306, "7,25741561530799E306"},
        {1E308, "1E308"},
        {-1.25e-300, "-1,25E-300"},
        {0.1 + 0.2, "0,3"},
        {std::numeric_limits<double>::infinity(), "1E308"},
        {std::nan(""), "1E308"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatGeneral(c.value, ','), c.text) << c.value;
    }
    EXPECT_EQ(formatGeneral(1.5e-7, '.'), "1.5E-7");
    EXPECT_EQ(formatGeneral(0.125, '.'), "0.125");
}

TEST(NumberTextTest, FixedFormatRoundsHalfAwayFromZeroAfterFifteenDigits) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {2, 15, "2,000000000000000"},
        {1.0 / 3, 15, "0,333333333333333"},
        {1.0 / 3, 2, "0,33"},
        {2.0 / 3, 2, "0,67"},
        {12.125, 2, "12,13"},
        {-12.125, 2, "-12,13"},
        {9.995, 2, "10,00"},
        {0.5, 0, "1"},
        {-2.5, 0, "-3"},
        {-0.001, 2, "0,00"},
        {0.004, 2, "0,00"},
        {0.005, 2, "0,01"},
        {0.0001234567890123456, 15, "0,000123456789012"},
        {1e-20, 15, "0,000000000000000"},
        {123456789012345, 2, "123456789012345,00"},
        {1e15, 2, "1E15"},
        {5, 0, "5"},
        {0, 3, "0,000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.decimals, ','), c.text) << c.value << " " << c.decimals;
    }
    EXPECT_EQ(formatFixed(3.14159, 2, '.'), "3.14");
}

TEST(NumberTextTest, ReadsOnlyWellFormedNumbersWithTheGivenSeparator) {
    const struct {
        const char* text;
        char separator;
        std::optional<double> value;
    } cases[] = {
        {"1,5", ',', 1.5},
        {"1.5", '.', 1.5},
        {"1.5", ',', std::nullopt},
        {"5,", ',', 5},
        {",5", ',', 0.5},
        {"-1E3", ',', -1000},
        {"+3", ',', 3},
        {"2e2", ',', 200},
        {"1,5E-3", ',', 0.0015},
        {"1E-400", ',', 0},
        {"1E400", ',', std::nullopt},
        {"1E99999999999999999999", ',', std::nullopt},
        {"0,0000E999999", ',', 0},
        {"", ',', std::nullopt},
        {",", ',', std::nullopt},
        {"-", ',', std::nullopt},
        {"1E", ',', std::nullopt},
        {"1E+", ',', std::nullopt},
        {" 3", ',', std::nullopt},
        {"3 ", ',', std::nullopt},
        {"1,2,3", ',', std::nullopt},
        {"0x10", ',', std::nullopt},
        {"inf", ',', std::nullopt},
        {"nan", ',', std::nullopt},
        {"(5", ',', std::nullopt},
        {"--5", ',', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseNumber(c.text, c.separator), c.value) << c.text;
    }
}

} // namespace
} // namespace calculator
