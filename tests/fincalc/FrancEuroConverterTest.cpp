#include <gtest/gtest.h>

#include "fincalc/FrancEuroConverter.h"

namespace fincalc {
namespace {

const std::string kGroup(kFrenchGroupSeparator);

TEST(FrancEuroConverter, ConvertsBothWays) {
    const struct {
        bool fromFrancs;
        double amount;
        std::string text;
    } cases[] = {
        {true, 100, "15,24 €"},
        {false, 15.24, "99,97 F"},
        {false, 1, "6,56 F"},
        {true, 6.55957, "1,00 €"},
        {true, 1000000, "152" + kGroup + "449,02 €"},
        {true, 0, "0,00 €"},
        {false, 0, "0,00 F"},
        {true, -100, "-15,24 €"},
        {false, 152449.02, "1" + kGroup + "000" + kGroup + "000,02 F"},
        {false, 1e308, std::string(kConversionOverflow)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.fromFrancs ? francsToEurosText(c.amount) : eurosToFrancsText(c.amount), c.text)
            << c.amount;
    }
}

TEST(FrancEuroConverter, FrenchGrouping) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {0.004, "0,00"},
        {999.995, "1" + kGroup + "000,00"},
        {12345.6, "12" + kGroup + "345,60"},
        {123456, "123" + kGroup + "456,00"},
        {-1234.5, "-1" + kGroup + "234,50"},
        {-123456.789, "-123" + kGroup + "456,79"},
        {1234567890.12, "1" + kGroup + "234" + kGroup + "567" + kGroup + "890,12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFrench(c.value), c.text) << c.value;
    }
}

TEST(FrancEuroConverter, ReadsWhatTheFieldHolds) {
    const std::optional<double> bad;
    const struct {
        std::string text;
        std::string suffix;
        std::optional<double> value;
    } cases[] = {
        {"", " F", 0.0},
        {"100", " F", 100.0},
        {"1234,5", " F", 1234.5},
        {"1234.5", " €", 1234.5},
        // Its own display read back: groups and suffix skipped.
        {"152" + kGroup + "449,02 €", " €", 152449.02},
        {"1\u00A0000,00 F", " F", 1000.0},
        {"1 000", " F", 1000.0},
        {"-15,24", " €", -15.24},
        {"1.2.3", " F", bad},
        {"-", " F", bad},
        {"12,5 €", " F", bad}, // the other field's suffix is not skipped
        {"1,5.2", " F", bad},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readConverterAmount(c.text, c.suffix), c.value) << c.text;
    }
}

} // namespace
} // namespace fincalc
