#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fincalc/CompoundInterest.h"
#include "fincalc/SimpleInterest.h"

namespace fincalc {
namespace {

struct Expected {
    const char* what;
    Field solved;
    Typed typed;
    std::array<const char*, 5> values; // column 1 of rows 0 to 4
    int rows;
    const char* first; // value on the first schedule row
    const char* last;
};

void check(SolverForm& form, const Expected& c) {
    const Outcome o = form.calculate(c.solved, c.typed);
    ASSERT_TRUE(o.done) << c.what << ": " << o.message;
    const ledgora::Grid& g = form.grid();
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(g.at(row, 1), c.values[static_cast<std::size_t>(row)]) << c.what << " " << row;
    }
    ASSERT_EQ(g.rowCount() - kFixedRows, c.rows) << c.what;
    EXPECT_EQ(g.at(kFixedRows, 0), "1") << c.what;
    EXPECT_EQ(g.at(kFixedRows, 1), c.first) << c.what;
    EXPECT_EQ(g.at(g.rowCount() - 1, 0), std::to_string(c.rows)) << c.what;
    EXPECT_EQ(g.at(g.rowCount() - 1, 1), c.last) << c.what;
}

TEST(SimpleInterest, SolvesEachQuantity) {
    const auto days = DurationUnit::Days;
    const auto months = DurationUnit::Months;
    const Expected cases[] = {
        {"interest over days",
         Field::Fourth,
         {"1000", "5", "90", "", days},
         {"1000", "5 %", "90 jours", "12.50", ""},
         90,
         "1000.14",
         "1012.50"},
        {"interest over months",
         Field::Fourth,
         {"1000", "5", "3", "", months},
         {"1000", "5 %", "3 mois", "12.50", ""},
         90,
         "1000.14",
         "1012.50"},
        {"one day",
         Field::Fourth,
         {"36000", "1", "1", "", days},
         {"36000", "1 %", "1 jour", "1.00", ""},
         1,
         "36001.00",
         "36001.00"},
        {"capital",
         Field::Principal,
         {"", "5", "90", "12.5", days},
         {"1000.00", "5 %", "90 jours", "12.5", ""},
         90,
         "1000.14",
         "1012.50"},
        {"rate",
         Field::Rate,
         {"1000", "", "3", "12,50", months},
         {"1000", "5.00 %", "3 mois", "12,50", ""},
         90,
         "1000.14",
         "1012.50"},
        {"duration in days",
         Field::Duration,
         {"1000", "5", "", "12.50", days},
         {"1000", "5 %", "90 jours", "12.50", ""},
         90,
         "1000.14",
         "1012.50"},
        {"duration in months",
         Field::Duration,
         {"1000", "5", "", "12.50", months},
         {"1000", "5 %", "3 mois", "12.50", ""},
         90,
         "1000.14",
         "1012.50"},
        {"one day solved",
         Field::Duration,
         {"36000", "1", "", "1", days},
         {"36000", "1 %", "1 jour", "1", ""},
         1,
         "36001.00",
         "36001.00"},
        {"less than a month solved in months",
         Field::Duration,
         {"36000", "1", "", "10", months},
         {"36000", "1 %", "0 mois", "10", ""},
         10,
         "36001.00",
         "36010.00"},
    };
    for (const auto& c : cases) {
        SimpleInterest form;
        check(form, c);
    }
}

TEST(CompoundInterest, SolvesEachQuantity) {
    const auto months = DurationUnit::Months;
    const auto years = DurationUnit::Years;
    const Expected cases[] = {
        {"final capital",
         Field::Fourth,
         {"1000", "12", "12", "", months},
         {"1000", "12 %", "12 mois", "1126.83", "126.83"},
         12,
         "1010.00",
         "1126.83"},
        {"final capital over a year",
         Field::Fourth,
         {"1000", "12", "1", "", years},
         {"1000", "12 %", "1 année", "1126.83", "126.83"},
         12,
         "1010.00",
         "1126.83"},
        {"initial capital",
         Field::Principal,
         {"", "12", "12", "1126.83", months},
         {"1000.00", "12 %", "12 mois", "1126.83", "126.83"},
         12,
         "1010.00",
         "1126.83"},
        {"rate",
         Field::Rate,
         {"1000", "", "12", "1126.83", months},
         {"1000", "12.00 %", "12 mois", "1126.83", "126.83"},
         12,
         "1010.00",
         "1126.83"},
        {"duration in years",
         Field::Duration,
         {"1000", "12", "", "1269.73", years},
         {"1000", "12 %", "2 années", "1269.73", "269.73"},
         24,
         "1010.00",
         "1269.73"},
        {"duration of one year",
         Field::Duration,
         {"1000", "12", "", "1126.83", years},
         {"1000", "12 %", "1 année", "1126.83", "126.83"},
         12,
         "1010.00",
         "1126.83"},
    };
    for (const auto& c : cases) {
        CompoundInterest form;
        check(form, c);
    }
    // Same schedule whether the year is typed in months or years.
    CompoundInterest inMonths;
    CompoundInterest inYears;
    inMonths.calculate(Field::Fourth, {"1000", "12", "12", "", months});
    inYears.calculate(Field::Fourth, {"1000", "12", "1", "", years});
    for (int row = kFixedRows; row < inMonths.grid().rowCount(); ++row) {
        EXPECT_EQ(inYears.grid().at(row, 1), inMonths.grid().at(row, 1));
    }
}

TEST(Investment, FailuresSayOverflow) {
    const struct {
        const char* what;
        bool compound;
        Field solved;
        Typed typed;
    } cases[] = {
        {"simple, zero rate, capital", false, Field::Principal, {"", "0", "90", "12.5"}},
        {"simple, zero rate, duration", false, Field::Duration, {"1000", "0", "", "12.5"}},
        {"simple, zero capital, rate", false, Field::Rate, {"0", "", "90", "12.5"}},
        {"simple, negative interest", false, Field::Duration, {"1000", "5", "", "-12.5"}},
        {"simple, zero interest", false, Field::Duration, {"1000", "5", "", "0"}},
        {"simple, zero days", false, Field::Fourth, {"1000", "5", "0", ""}},
        {"simple, more days than a schedule holds",
         false,
         Field::Duration,
         {"1000", "0.00001", "", "1000"}},
        {"simple, overflow", false, Field::Fourth, {"1E300", "1E300", "90", ""}},
        {"compound, zero rate, duration", true, Field::Duration, {"1000", "0", "", "2000"}},
        {"compound, final below capital", true, Field::Duration, {"1000", "12", "", "900"}},
        {"compound, final equal to capital", true, Field::Duration, {"1000", "12", "", "1000"}},
        {"compound, zero capital, rate", true, Field::Rate, {"0", "", "12", "1126.83"}},
        {"compound, negative final, rate", true, Field::Rate, {"1000", "", "12", "-5"}},
        {"compound, overflow", true, Field::Fourth, {"1000", "1E6", "1000", ""}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<SolverForm> form;
        if (c.compound) {
            form = std::make_unique<CompoundInterest>();
        } else {
            form = std::make_unique<SimpleInterest>();
        }
        Typed typed = c.typed;
        typed.unit = c.compound ? DurationUnit::Months : DurationUnit::Days;
        const Outcome o = form->calculate(c.solved, typed);
        EXPECT_FALSE(o.done) << c.what;
        EXPECT_EQ(o.message, "Dépassement de capacité !") << c.what;
        EXPECT_EQ(o.severity, Severity::Error) << c.what;
        EXPECT_EQ(form->grid().rowCount(), kFixedRows) << c.what;
        EXPECT_EQ(form->grid().at(4, 1), "") << c.what;
    }
}

} // namespace
} // namespace fincalc
