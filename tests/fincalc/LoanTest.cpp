#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fincalc/Loan.h"

namespace fincalc {
namespace {

struct LoanRun {
    Outcome outcome;
    ledgora::Grid grid;
};

LoanRun run(Field solved, const Typed& typed) {
    Loan loan;
    Outcome outcome = loan.calculate(solved, typed);
    return {outcome, loan.grid()};
}

Typed loan(std::string amount, std::string rate, std::string duration, std::string payment,
           DurationUnit unit = DurationUnit::Months) {
    return {std::move(amount), std::move(rate), std::move(duration), std::move(payment), unit};
}

int scheduleRows(const ledgora::Grid& grid) {
    return grid.rowCount() - kFixedRows;
}

TEST(Loan, SolvesEachQuantity) {
    const struct {
        const char* what;
        Field solved;
        Typed typed;
        const char* amount;
        const char* rate;
        const char* duration;
        const char* payment;
        const char* interest;
        const char* repay;
        int rows;
    } cases[] = {
        {"payment", Field::Fourth, loan("10000", "6", "12", ""), "10000", "6 %", "12 mois",
         "860.66", "327.97", "10327.97", 12},
        {"payment over one year", Field::Fourth, loan("10000", "6", "1", "", DurationUnit::Years),
         "10000", "6 %", "1 année", "860.66", "327.97", "10327.97", 12},
        {"plural years", Field::Fourth, loan("10000", "6", "2", "", DurationUnit::Years), "10000",
         "6 %", "2 années", "443.21", "636.95", "10636.95", 24},
        {"decimal comma", Field::Fourth, loan("10000,00", "6,0", "12", ""), "10000,00", "6,0 %",
         "12 mois", "860.66", "327.97", "10327.97", 12},
        {"amount", Field::Principal, loan("", "6", "12", "860.66"), "9999.95", "6 %", "12 mois",
         "860.66", "327.97", "10327.92", 12},
        {"rate", Field::Rate, loan("10000", "", "12", "860.66"), "10000", "6.00 %", "12 mois",
         "860.66", "327.92", "10327.92", 12},
        // The typed payment leaves 0.05 unpaid after 12 months: the interest counts it.
        {"duration in months", Field::Duration, loan("10000", "6", "", "860.66"), "10000", "6 %",
         "12 mois", "860.66", "327.97", "10327.97", 12},
        {"30 months shown in years", Field::Duration,
         loan("10000", "6", "", "360.06", DurationUnit::Years), "10000", "6 %", "2 années",
         "360.06", "793.06", "10793.06", 30},
    };
    for (const auto& c : cases) {
        const LoanRun r = run(c.solved, c.typed);
        ASSERT_TRUE(r.outcome.done) << c.what << ": " << r.outcome.message;
        EXPECT_EQ(r.grid.at(0, 1), c.amount) << c.what;
        EXPECT_EQ(r.grid.at(1, 1), c.rate) << c.what;
        EXPECT_EQ(r.grid.at(2, 1), c.duration) << c.what;
        EXPECT_EQ(r.grid.at(3, 1), c.payment) << c.what;
        EXPECT_EQ(r.grid.at(4, 1), c.interest) << c.what;
        EXPECT_EQ(r.grid.at(5, 1), c.repay) << c.what;
        EXPECT_EQ(scheduleRows(r.grid), c.rows) << c.what;
        EXPECT_EQ(r.grid.at(r.grid.rowCount() - 1, 0), std::to_string(c.rows)) << c.what;
    }
}

TEST(Loan, ScheduleOfTheTextbookLoan) {
    const LoanRun r = run(Field::Fourth, loan("10000", "6", "12", ""));
    ASSERT_TRUE(r.outcome.done);
    const struct {
        int month;
        const char* capital;
        const char* interest;
        const char* balance;
    } rows[] = {
        {1, "810.66", "50.00", "9189.34"},
        {2, "814.72", "45.95", "8374.62"},
        {11, "852.12", "8.54", "856.38"},
        {12, "856.38", "4.28", "0.00"},
    };
    for (const auto& row : rows) {
        const int r7 = kHeaderRow + row.month;
        EXPECT_EQ(r.grid.at(r7, 0), std::to_string(row.month));
        EXPECT_EQ(r.grid.at(r7, 1), row.capital) << row.month;
        EXPECT_EQ(r.grid.at(r7, 2), row.interest) << row.month;
        EXPECT_EQ(r.grid.at(r7, 3), row.balance) << row.month;
    }
    // The same loan counted in years is the same schedule.
    const LoanRun years = run(Field::Fourth, loan("10000", "6", "1", "", DurationUnit::Years));
    for (int row = kFixedRows; row < r.grid.rowCount(); ++row) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(years.grid.at(row, c), r.grid.at(row, c));
        }
    }
}

TEST(Loan, OverpaidBalanceIsWrittenZero) {
    // 4.9 months rounded up to 5: the closed formula goes below zero in the last month.
    const LoanRun r = run(Field::Duration, loan("1000", "12", "", "210"));
    ASSERT_TRUE(r.outcome.done) << r.outcome.message;
    ASSERT_EQ(r.grid.at(2, 1), "5 mois");
    EXPECT_EQ(r.grid.at(kHeaderRow + 4, 3), "187.92");
    EXPECT_EQ(r.grid.at(kHeaderRow + 5, 3), "0.00");
}

TEST(Loan, FailuresSayImpossible) {
    const struct {
        const char* what;
        Field solved;
        Typed typed;
    } cases[] = {
        {"zero rate, payment", Field::Fourth, loan("10000", "0", "12", "")},
        {"zero rate, amount", Field::Principal, loan("", "0", "12", "860")},
        {"zero rate, duration", Field::Duration, loan("10000", "0", "", "860")},
        {"payment equal to the first interest", Field::Duration, loan("10000", "6", "", "50")},
        {"payment below the first interest", Field::Duration, loan("10000", "6", "", "49.99")},
        {"payments below the amount", Field::Rate, loan("10000", "", "12", "800")},
        {"payments equal to the amount", Field::Rate, loan("12000", "", "12", "1000")},
        {"overflowing power", Field::Fourth, loan("10000", "1E300", "12", "")},
        {"overflowing power, amount", Field::Principal, loan("", "9000", "1000", "1")},
        {"negative loan repays nothing", Field::Duration, loan("-10000", "6", "", "860")},
        {"zero duration", Field::Fourth, loan("10000", "6", "0", "")},
        {"negative duration", Field::Principal, loan("", "6", "-12", "860")},
        {"duration beyond any schedule", Field::Fourth, loan("10000", "6", "100001", "")},
        {"duration beyond any schedule in years", Field::Fourth,
         loan("10000", "6", "9000", "", DurationUnit::Years)},
        {"solved duration beyond any schedule", Field::Duration,
         loan("10000", "0.0001", "", "0.001")},
    };
    for (const auto& c : cases) {
        const LoanRun r = run(c.solved, c.typed);
        EXPECT_FALSE(r.outcome.done) << c.what;
        EXPECT_EQ(r.outcome.message, "Impossible !") << c.what;
        EXPECT_EQ(r.outcome.severity, Severity::Warning) << c.what;
        EXPECT_EQ(r.grid.rowCount(), kFixedRows) << c.what;
        for (int row = 0; row < kFixedRows; ++row) {
            const std::string& text = r.grid.at(row, 1);
            EXPECT_EQ(text.find("inf"), std::string::npos) << c.what;
            EXPECT_EQ(text.find("nan"), std::string::npos) << c.what;
        }
    }
}

TEST(Loan, FailureKeepsTheTypedInputsAndDropsThePreviousResults) {
    Loan form;
    ASSERT_TRUE(form.calculate(Field::Fourth, loan("10000", "6", "12", "")).done);
    // The hidden payment field still holds an old figure when the rate goes to 0.
    ASSERT_FALSE(form.calculate(Field::Fourth, loan("5000", "0", "24", "999")).done);
    const ledgora::Grid& g = form.grid();
    EXPECT_EQ(g.at(0, 1), "5000");
    EXPECT_EQ(g.at(1, 1), "0 %");
    EXPECT_EQ(g.at(2, 1), "24 mois");
    EXPECT_EQ(g.at(3, 1), "");
    EXPECT_EQ(g.at(4, 1), "");
    EXPECT_EQ(g.at(5, 1), "");
    EXPECT_EQ(g.at(4, 0), "Somme des intérêts :");
    EXPECT_EQ(g.at(kHeaderRow, 3), "Reste à payer");
}

TEST(Loan, RateEquationAndSearch) {
    EXPECT_EQ(rateEquation(10000, 860.66, 12), "-860.66+(860.66-x×10000)×(1+x)^12");
    EXPECT_EQ(rateEquation(2.5e16, 0.1, 360), "-0.1+(0.1-x×2.5E16)×(1+x)^360");

    const struct {
        double amount;
        double payment;
        long long months;
        double rate; // monthly
    } found[] = {
        {10000, 860.66429767, 12, 0.005},
        {150000, 1060.16879591, 300, 0.07 / 12},
        {1000, 1100, 1, 0.1},
    };
    for (const auto& c : found) {
        const auto rate = searchMonthlyRate(c.amount, c.payment, c.months);
        ASSERT_TRUE(rate.has_value()) << c.amount;
        EXPECT_NEAR(*rate, c.rate, 1e-9) << c.amount;
    }
    EXPECT_FALSE(searchMonthlyRate(10000, 800, 12).has_value());
    // A rate above 100 % a month is outside the range searched.
    EXPECT_FALSE(searchMonthlyRate(1000, 3000, 1).has_value());
}

} // namespace
} // namespace fincalc
