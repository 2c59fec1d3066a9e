#include <gtest/gtest.h>

#include "money/DateText.h"

namespace ledgora {
namespace {

TEST(DateText, ReadsRealDatesOnly) {
    struct Case {
        const char* text;
        std::optional<Date> date;
    };
    const Case cases[] = {
        {"05/03/2024", Date{2024, 3, 5}},
        {"5/3/2024", Date{2024, 3, 5}},
        {"29/02/2024", Date{2024, 2, 29}},
        {"29/02/2023", std::nullopt},
        {"31/04/2024", std::nullopt},
        {"01/13/2024", std::nullopt},
        {"00/01/2024", std::nullopt},
        {"01/01/24", Date{2024, 1, 1}},
        {"", std::nullopt},
        {"2024-03-05", std::nullopt},
        {"05/03/2024x", std::nullopt},
        {"05/03/20245", std::nullopt},
        {"31/12/9999", Date{9999, 12, 31}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDate(c.text), c.date) << c.text;
    }
}

TEST(DateText, TypedDatesAreTakenWhole) {
    struct Case {
        const char* typed;
        std::optional<Date> date;
    };
    const Case cases[] = {
        {"29022024", Date{2024, 2, 29}}, // a leap year: never moved to the 28th
        {"31022024", std::nullopt},      // refused, not adjusted
        {"29022023", std::nullopt},         {"05032024", Date{2024, 3, 5}},
        {"29/02/2024", Date{2024, 2, 29}},  {"5/3/2024", Date{2024, 3, 5}},
        {" 05/03/2024 ", Date{2024, 3, 5}}, {"0503202", std::nullopt},
        {"050320245", std::nullopt},        {"00032024", std::nullopt},
        {"0503-024", std::nullopt},         {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseTypedDate(c.typed), c.date) << c.typed;
    }
}

TEST(DateText, FormatsAndOrders) {
    EXPECT_EQ(formatDate(Date{2024, 3, 5}), "05/03/2024");
    EXPECT_LT(dateSortKey(""), dateSortKey("01/01/0001"));
    EXPECT_LT(dateSortKey("nonsense"), dateSortKey("31/12/1999"));
    EXPECT_LT(dateSortKey("31/12/1999"), dateSortKey("01/01/2000"));
    EXPECT_EQ(dateSortKey("1/2/2020"), dateSortKey("01/02/2020"));
    EXPECT_EQ(Date({2000, 3, 1}).serial() - Date({2000, 2, 28}).serial(), 2);
}

} // namespace
} // namespace ledgora
