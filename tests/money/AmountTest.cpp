#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "money/Amount.h"

namespace ledgora {
namespace {

TEST(Amount, ParsesTheLongestNumericPrefix) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},       {"abc", 0},       {"12", 12},      {"12.5", 12.5}, {"-12.30", -12.3},
        {"+4", 4},     {"  7.25", 7.25}, {"12abc", 12},   {"1.5.3", 1.5}, {"12,5", 12},
        {".5", 0.5},   {"-.5", -0.5},    {"5.", 5},       {"-", 0},       {".", 0},
        {"1e3", 1000}, {"1e", 1},        {"2E-2x", 0.02}, {"1e999", 0},   {"0x10", 0},
        {"inf", 0},    {"nan", 0},       {"1 000", 1},    {"- 5", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(parseAmount(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(Amount, AmountsTooLargeForADoubleReadAsUnreadableText) {
    const std::string digits400 = "1" + std::string(400, '0');
    for (const std::string& text : {digits400, "-" + digits400 + ".50",
                                    std::string("0.") + std::string(400, '0') + "1e800"}) {
        EXPECT_EQ(parseAmount(text), 0.0) << text;
        EXPECT_EQ(normaliseAmountText(text), "0.00") << text;
    }
}

TEST(Amount, FormatsTwoDecimalsHalfAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.00"},
        {1234.5, "1234.50"},
        {-12.3, "-12.30"},
        {12.125, "12.13"},
        {-12.125, "-12.13"},
        {0.125, "0.13"},
        {1.005, "1.01"},
        {2.675, "2.68"},
        {0.1 + 0.2, "0.30"},
        {-0.004, "0.00"},
        {-0.005, "-0.01"},
        {99.995, "100.00"},
        {999999.995, "1000000.00"},
        {1234567.125, "1234567.13"},
        {1e15, "1000000000000000.00"},
        {123456789012.345, "123456789012.35"},
        {-0.0, "0.00"},
        {std::numeric_limits<double>::infinity(), "0.00"},
        {std::nan(""), "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatAmount(c.value), c.text) << c.value;
    }
}

// Reference: the value as 15 significant digits of decimal text ("%.15g" is plain for the
// magnitudes used here), rounded half away from zero by carrying on the digits.
std::string reference(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", std::fabs(v));
    std::string text = buf;
    const auto dot = text.find('.');
    std::string integer = text.substr(0, dot);
    std::string decimals = dot == std::string::npos ? "" : text.substr(dot + 1);
    decimals.resize(std::max<std::size_t>(decimals.size(), 3), '0');
    std::string digits = integer + decimals.substr(0, 2);
    if (decimals[2] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) {
            digits[static_cast<std::size_t>(i)] = '0';
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    std::string out = digits.substr(0, digits.size() - 2) + "." + digits.substr(digits.size() - 2);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return v < 0 && !zero ? "-" + out : out;
}

TEST(Amount, FastPathAgreesWithTheDecimalRule) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<long long> cents(-99'999'999, 99'999'999);
    std::uniform_int_distribution<int> thousandths(0, 9);
    const double scales[] = {1.0, 1e3, 1e5, 1e7};
    for (int i = 0; i < 40000; ++i) {
        const double v = static_cast<double>(cents(rng)) / 100.0 * scales[i % 4] +
                         (i % 2 ? thousandths(rng) / 1000.0 : 0.0);
        ASSERT_EQ(formatAmount(v), reference(v)) << v;
    }
}

TEST(Amount, NormalisesTypedAmounts) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {{"", ""},          {"12,5", "12.50"}, {"12", "12.00"},   {"abc", "0.00"},
                          {"1,2,3", "1.20"}, {"-3", "-3.00"},   {"0,005", "0.01"}, {" 8", "8.00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(normaliseAmountText(c.typed), c.kept) << c.typed;
    }
    // A numeric box's text reads the same way.
    EXPECT_DOUBLE_EQ(parseTypedAmount("1500,50"), 1500.5);
    EXPECT_DOUBLE_EQ(parseTypedAmount("-1500.50"), -1500.5);
    EXPECT_DOUBLE_EQ(parseTypedAmount("1.5,2"), 1.5);
    EXPECT_DOUBLE_EQ(parseTypedAmount(""), 0.0);
}

// An amount cell takes a text only when all of it reads, within the range sums hold.
TEST(Amount, TypedAmountsAreCompleteOnTheirWayOrRefused) {
    using T = TypedAmount;
    const struct {
        const char* typed;
        TypedAmount state;
    } cases[] = {
        {"", T::Complete},
        {"1500,50", T::Complete},
        {"12.5", T::Complete},
        {"-7", T::Complete},
        {"+,5", T::Complete},
        {" 3", T::Complete},
        {"2e3", T::Complete},
        {"1,", T::Complete},
        {"-", T::Incomplete},
        {",", T::Incomplete},
        {" ", T::Incomplete},
        {"1e", T::Incomplete},
        {"1E-", T::Incomplete},
        {"12a", T::Refused},
        {"1,2,3", T::Refused},
        {"1.2.3", T::Refused},
        {"1,2.3", T::Refused},
        {"e5", T::Refused},
        {"12 ", T::Refused},
        {"1 234", T::Refused},
        {"--1", T::Refused},
        {"1e5e", T::Refused},
        {"1e999", T::Refused},
        {"2000000000000000", T::Refused},
        {"1000000000000000", T::Complete},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedAmountState(c.typed), c.state) << '"' << c.typed << '"';
    }
}

// A paste is taken only when the numeric box's keys could have typed it as one amount.
TEST(Amount, TypableAmountsAreWhatTheKeysCouldType) {
    const struct {
        const char* text;
        bool typable;
    } cases[] = {
        {"12,50", true},
        {"-1500.5", true},
        {" 80\t", true}, // blanks around are not part of it
        {"", true},
        {"-", true},
        {"1000000000000000", true},
        {"1 234,56", false},
        {"80 €", false},
        {"abc", false},
        {"1e5", false}, // an exponent the keys cannot type
        {"1,2,3", false},
        {"1.2,3", false},
        {"5-", false},
        {"1000000000000001", false},
        {"  ", false},
        {"12\n", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typableAmount(c.text), c.typable) << '"' << c.text << '"';
    }
    EXPECT_EQ(trimBlanks(" \t12,5 "), "12,5");
}

// A key goes into the box only when what the box would then hold can still end as one
// amount: "1,2,3", "--5" or "5-" are never there to be read as 1.20, nothing or 5.
TEST(Amount, AKeyIsTakenWhenTheBoxStillHoldsABeginningOfAnAmount) {
    const struct {
        const char* text;
        std::size_t from;
        std::size_t length;
        const char* typed;
        bool taken;
    } cases[] = {
        {"", 0, 0, "1", true},
        {"1234", 4, 0, ",", true},
        {"1234,5", 6, 0, "6", true},
        {"", 0, 0, "-", true},
        {"5", 0, 0, "-", true},      // a sign in front of the figures
        {"100.00", 0, 6, "-", true}, // over the selection
        {"1,5", 1, 1, ".", true},    // one separator for another
        {"1,2", 3, 0, ",", false},
        {"1,2", 1, 0, ".", false},
        {"-", 1, 0, "-", false},
        {"5", 1, 0, "-", false},
        {"-5", 1, 0, "+", false},
        {"12", 2, 0, "a", false},
        {"12", 2, 0, " ", false},
        {"12", 1, 0, "€", false},
        {"100000000000000", 15, 0, "0", true},
        {"100000000000000", 15, 0, "00", false}, // beyond the amounts the sums hold
        {"1,2", 2, 1, "3,4", false},             // several characters at once
        {"1,2", 99, 99, "3", true},              // past the end: at the end
        {" 12", 3, 0, "3", true},                // blanks the program put around are left
        {"12 ", 3, 0, "3", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typableAmountAfter(c.text, c.from, c.length, c.typed), c.taken)
            << '"' << c.text << "\" " << c.from << '+' << c.length << " \"" << c.typed << '"';
    }
}

TEST(Cents, ReadsAmountTextToTheCent) {
    struct Case {
        const char* text;
        Cents cents;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 1200},
        {"12.5", 1250},
        {"-12.30", -1230},
        {"+4", 400},
        {"  7.25", 725},
        {"12abc", 1200},
        {"1.5.3", 150},
        {"12,5", 1200},
        {".5", 50},
        {"-.5", -50},
        {"5.", 500},
        {"-", 0},
        {"0.125", 13},
        {"-0.125", -13},
        {"0.1249", 12},
        {"-0.005", -1},
        {"0.004", 0},
        {"1.005", 101},
        {"1e3", 100000},
        {"2E-2x", 2},
        {"1e999", 0},
        {"007.10", 710},
        {"999999999999999.99", 99999999999999999},
        {"1000000000000000.01", 0},
        {"123456789012345678", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseCents(c.text), c.cents) << '"' << c.text << '"';
    }
}

TEST(Cents, AgreeWithTheAmountFormatter) {
    // What a cell shows and what a sum counts are one value.
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<long long> cents(-9'999'999'999, 9'999'999'999);
    for (int i = 0; i < 20000; ++i) {
        const Cents c = cents(rng);
        const std::string text = formatAmount(static_cast<double>(c) / 100.0);
        ASSERT_EQ(parseCents(text), c) << text;
        ASSERT_EQ(formatCents(c), text) << c;
        ASSERT_EQ(centsOf(static_cast<double>(c) / 100.0), c) << c;
    }
    for (const char* typed : {"12,5", "0,005", "-3", "1e2", "2.675", "-2.675"}) {
        EXPECT_EQ(formatCents(parseCents(normaliseAmountText(typed))), normaliseAmountText(typed));
    }
    EXPECT_EQ(formatCents(0), "0.00");
    EXPECT_EQ(formatCents(-5), "-0.05");
}

TEST(Cents, SumsAreExactAndNeverWrap) {
    Cents total = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        total = addCents(total, parseCents("0.10"));
    }
    EXPECT_EQ(formatCents(total), "100000.00");
    const Cents big = std::numeric_limits<Cents>::max() - 1;
    EXPECT_EQ(addCents(big, 10), std::numeric_limits<Cents>::max());
    EXPECT_EQ(addCents(-big, -10), std::numeric_limits<Cents>::min());
}

} // namespace
} // namespace ledgora
