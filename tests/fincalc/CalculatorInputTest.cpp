#include <gtest/gtest.h>

#include "fincalc/CalculatorInput.h"
#include "fincalc/Checked.h"
#include "fincalc/DurationUnit.h"

namespace fincalc {
namespace {

TEST(CalculatorInput, ReadsNumbersWithEitherSeparator) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12},  {"12.5", 12.5}, {"12,5", 12.5}, {"-3", -3},    {"+3", 3},
        {",5", 0.5}, {"5.", 5},      {"1E3", 1000},  {"", {}},      {"-", {}},
        {"+", {}},   {"1.2.3", {}},  {"1,2,3", {}},  {"1.2,3", {}}, {"12 000", {}},
        {" 12", {}}, {"1-2", {}},    {"--1", {}},    {"1e999", {}}, {"abc", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readNumber(c.text), c.value) << c.text;
    }
}

TEST(CalculatorInput, WholePeriods) {
    EXPECT_EQ(wholePeriods(12), 12);
    EXPECT_EQ(wholePeriods(2, 12), 24);
    EXPECT_EQ(wholePeriods(3, 30), 90);
    EXPECT_EQ(wholePeriods(2.5), 2); // halves to even
    EXPECT_EQ(wholePeriods(3.5), 4);
    EXPECT_EQ(wholePeriods(29.976), 30);
    EXPECT_EQ(wholePeriods(1e5), kMaxPeriods);
    for (const double refused : {0.0, 0.4, -0.5, -3.0, 100000.5 + 0.5, 1e300}) {
        EXPECT_THROW(wholePeriods(refused), ArithmeticFailure) << refused;
    }
    EXPECT_THROW(wholePeriods(8334, 12), ArithmeticFailure);
}

TEST(CalculatorInput, DurationRefusesSeparators) {
    EXPECT_TRUE(durationRefuses(U'.'));
    EXPECT_TRUE(durationRefuses(U','));
    for (const char32_t kept : {U'0', U'9', U'-', U'+'}) {
        EXPECT_FALSE(durationRefuses(kept));
    }
}

TEST(DurationUnit, TypedDurations) {
    const struct {
        const char* typed;
        DurationUnit unit;
        const char* text;
    } cases[] = {
        {"1", DurationUnit::Days, "1 jour"},     {"01", DurationUnit::Days, "01 jour"},
        {"2", DurationUnit::Days, "2 jours"},    {"0", DurationUnit::Days, "0 jours"},
        {"", DurationUnit::Days, " jours"},      {"1", DurationUnit::Months, "1 mois"},
        {"12", DurationUnit::Months, "12 mois"}, {"1", DurationUnit::Years, "1 année"},
        {"+1", DurationUnit::Years, "+1 année"}, {"-1", DurationUnit::Years, "-1 années"},
        {"", DurationUnit::Years, " années"},    {"1-", DurationUnit::Years, "1- années"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedDurationText(c.typed, c.unit), c.text) << c.typed;
    }
}

TEST(DurationUnit, SolvedDurations) {
    const struct {
        long long periods;
        DurationUnit unit;
        DurationUnit period;
        const char* text;
    } cases[] = {
        {90, DurationUnit::Days, DurationUnit::Days, "90 jours"},
        {1, DurationUnit::Days, DurationUnit::Days, "1 jour"},
        {90, DurationUnit::Months, DurationUnit::Days, "3 mois"},
        {59, DurationUnit::Months, DurationUnit::Days, "1 mois"},
        {29, DurationUnit::Months, DurationUnit::Days, "0 mois"},
        {30, DurationUnit::Months, DurationUnit::Months, "30 mois"},
        {30, DurationUnit::Years, DurationUnit::Months, "2 années"},
        {12, DurationUnit::Years, DurationUnit::Months, "1 année"},
        {23, DurationUnit::Years, DurationUnit::Months, "1 année"},
        {11, DurationUnit::Years, DurationUnit::Months, "0 années"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(solvedDurationText(c.periods, c.unit, c.period), c.text) << c.periods;
    }
}

TEST(Checked, RefusesWhatWouldNotBeFinite) {
    EXPECT_THROW(Checked(1) / 0, ArithmeticFailure);
    EXPECT_THROW(Checked(0) / 0, ArithmeticFailure);
    EXPECT_THROW(Checked(1e308) * 10, ArithmeticFailure);
    EXPECT_THROW(Checked(-1e308) - 1e308, ArithmeticFailure);
    EXPECT_THROW(ln(0), ArithmeticFailure);
    EXPECT_THROW(ln(-1), ArithmeticFailure);
    EXPECT_THROW(exp(1000), ArithmeticFailure);
    EXPECT_THROW(power(10, 400), ArithmeticFailure);
    EXPECT_EQ(exp(-1000).value(), 0); // underflow is not a failure
    EXPECT_EQ(power(1.005, 0).value(), 1);
    EXPECT_EQ(power(2, 10).value(), 1024);
}

} // namespace
} // namespace fincalc
