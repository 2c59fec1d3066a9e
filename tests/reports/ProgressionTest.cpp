// The balance progression: its points and its pages of 30 with the four page buttons.
#include <gtest/gtest.h>

#include "RegisterRowsBuilder.h"
#include "register/Balances.h"
#include "reports/Progression.h"

namespace ledgora {
namespace {

TEST(Progression, OnePointPerBalanceGreenOrRed) {
    Grid reg = testing::registerOf({{"01/01/2024", "", "", "10.00"},
                                    {"02/01/2024", "Courses", "25.00", ""},
                                    {"03/01/2024", "Notes only", "", ""},
                                    {"04/01/2024", "Salaire", "", "15.00"}});
    recomputeBalances(reg);
    const auto points = progressionPoints(reg);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].label, "01/01/2024");
    EXPECT_EQ(points[0].color(), kRisingPoint);
    EXPECT_EQ(points[1].balance, -1500);
    EXPECT_EQ(points[1].color(), kFallingPoint);
    EXPECT_EQ(points[2].label, "04/01/2024");
    EXPECT_EQ(points[2].balance, 0);
    EXPECT_EQ(points[2].color(), kRisingPoint);
    EXPECT_EQ(progressionCaption("Ledgora - Anne"), "Ledgora - Anne - Progression du solde");
}

TEST(Progression, PagesOfThirtyAndTheirButtons) {
    const PageButtons none{false, false, false, false};
    const PageButtons forward{false, false, true, true};
    const PageButtons backward{true, true, false, false};
    const PageButtons both{true, true, true, true};

    ProgressionPages two(45);
    EXPECT_EQ(two.pageCount(), 2);
    EXPECT_EQ(two.buttons(), forward);
    EXPECT_EQ(two.firstPoint(), 0);
    EXPECT_EQ(two.endPoint(), 30);
    two.next();
    EXPECT_EQ(two.buttons(), backward);
    EXPECT_EQ(two.firstPoint(), 30);
    EXPECT_EQ(two.endPoint(), 45);
    two.next(); // already on the last page
    EXPECT_EQ(two.page(), 1);
    two.first();
    EXPECT_EQ(two.buttons(), forward);
    two.last();
    EXPECT_EQ(two.buttons(), backward);
    two.previous();
    EXPECT_EQ(two.buttons(), forward);

    ProgressionPages three(61);
    three.next();
    EXPECT_EQ(three.pageCount(), 3);
    EXPECT_EQ(three.buttons(), both);
    three.last();
    EXPECT_EQ(three.endPoint() - three.firstPoint(), 1);

    for (int count : {0, 1, 30}) {
        ProgressionPages one(count);
        EXPECT_EQ(one.pageCount(), 1) << count;
        EXPECT_EQ(one.buttons(), none) << count;
        one.previous();
        EXPECT_EQ(one.endPoint(), count) << count;
    }
}

} // namespace
} // namespace ledgora
