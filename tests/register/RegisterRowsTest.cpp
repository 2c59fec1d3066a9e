#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "money/DateText.h"
#include "register/Balances.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

// Builds a register from rows of {date, notes, debit, credit, mark}.
struct Op {
    std::string date{}, notes{}, debit{}, credit{}, mark{};
};
Grid registerOf(const std::vector<Op>& ops) {
    Grid reg = makeRegister(static_cast<int>(ops.size()) + 1);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        reg.set(r, col::Date, ops[i].date);
        reg.set(r, col::Notes, ops[i].notes);
        reg.set(r, col::Debit, ops[i].debit);
        reg.set(r, col::Credit, ops[i].credit);
        reg.set(r, col::Pointage, ops[i].mark);
    }
    return reg;
}

std::vector<std::string> column(const Grid& reg, int c) {
    std::vector<std::string> out;
    for (int r = 1; r < reg.rowCount(); ++r) {
        out.push_back(reg.at(r, c));
    }
    return out;
}

TEST(RegisterRows, SortByDateIsStableAndPutsUnreadableDatesFirst) {
    Grid reg = registerOf({{"02/01/2024", "b1"},
                           {"01/01/2024", "a"},
                           {"", "blank"},
                           {"02/01/2024", "b2"},
                           {"31/12/2023", "Solde initial"},
                           {"garbage", "bad"},
                           {"02/01/2024", "b3"}});
    sortByDate(reg);
    EXPECT_EQ(column(reg, col::Notes),
              (std::vector<std::string>{"blank", "bad", "Solde initial", "a", "b1", "b2", "b3"}));
    EXPECT_EQ(reg.at(0, col::Notes), "Notes");
}

// The pairwise swap sort the register has always used, as the reference order.
void bubbleSort(Grid& reg) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int r = 1; r + 1 < reg.rowCount(); ++r) {
            if (dateSortKey(reg.at(r, col::Date)) > dateSortKey(reg.at(r + 1, col::Date))) {
                for (int c = 0; c < reg.columnCount(); ++c) {
                    const std::string above = reg.at(r, c);
                    reg.set(r, c, reg.at(r + 1, c));
                    reg.set(r + 1, c, above);
                }
                swapped = true;
            }
        }
    }
}

TEST(RegisterRows, SortGivesThePairwiseOrder) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> day(0, 40);
    std::vector<Op> ops;
    for (int i = 0; i < 400; ++i) {
        const int d = day(rng);
        ops.push_back({d > 28 ? "" : std::to_string(d + 1) + "/02/2024", "op" + std::to_string(i)});
    }
    Grid fast = registerOf(ops);
    Grid slow = fast;
    sortByDate(fast);
    bubbleSort(slow);
    EXPECT_EQ(fast, slow);
}

// Dates over more than 65,536 days, in every form a cell may hold: the order is that of a
// stable sort on dateSortKey().
TEST(RegisterRows, SortOverCenturiesGivesTheStableKeyOrder) {
    const std::vector<std::string> dates = {"01/01/1900", "31/12/2099",  "29/02/2000", "29/02/1900",
                                            "5/3/24",     " 05/03/2024", "05/03/2024", "00/01/2000",
                                            "31/04/2024", "01/01/0001",  "31/12/9999", "",
                                            "12/13/2024", "0a/01/2024",  "01/01/10000"};
    std::mt19937 rng(5);
    std::vector<Op> ops;
    for (int i = 0; i < 3000; ++i) {
        ops.push_back({dates[rng() % dates.size()], "op" + std::to_string(i)});
    }
    Grid reg = registerOf(ops);
    std::vector<std::size_t> expected(ops.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
        return dateSortKey(ops[a].date) < dateSortKey(ops[b].date);
    });
    sortByDate(reg);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(reg.at(static_cast<int>(i) + 1, col::Notes), ops[expected[i]].notes) << i;
    }
}

// Rows typed in no date order: the sort lays their cells out again, dropping the texts
// that edits left behind, and every row keeps its own texts.
TEST(RegisterRows, ASortThatMovesManyRowsLaysTheCellsOutAgain) {
    std::mt19937 rng(8);
    std::vector<Op> ops;
    for (int i = 0; i < 20'000; ++i) {
        ops.push_back(
            {std::to_string(rng() % 28 + 1) + "/0" + std::to_string(rng() % 9 + 1) + "/2024",
             "Facture numéro " + std::to_string(i)});
    }
    Grid reg = registerOf(ops);
    for (int r = 1; r <= 100; ++r) {
        reg.set(r, col::Notes, ops[static_cast<std::size_t>(r - 1)].notes + " bis");
        ops[static_cast<std::size_t>(r - 1)].notes += " bis";
    }
    ASSERT_GT(reg.garbageBytes(), 0U);
    std::vector<std::size_t> expected(ops.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
        return dateSortKey(ops[a].date) < dateSortKey(ops[b].date);
    });
    sortByDate(reg);
    EXPECT_EQ(reg.garbageBytes(), 0U);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(reg.at(static_cast<int>(i) + 1, col::Notes), ops[expected[i]].notes) << i;
        ASSERT_EQ(reg.at(static_cast<int>(i) + 1, col::Date), ops[expected[i]].date) << i;
    }
}

TEST(RegisterRows, CleanUpLeavesOneBlankRowAtTheEnd) {
    Grid reg = registerOf({{"01/01/2024", "a"},
                           {"", ""},
                           {"", "", "", "", "X"}, // a mark alone is still blank
                           {"03/01/2024", "c"},
                           {"", ""}});
    reg.set(2, col::Deber, "0.03"); // hidden columns are not looked at
    cleanUpBlankRows(reg);
    EXPECT_EQ(column(reg, col::Notes), (std::vector<std::string>{"a", "c", ""}));
    EXPECT_EQ(column(reg, col::Number), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(RegisterRows, DeletionIsOfferedOnlyForOrdinaryRows) {
    Grid three = registerOf({{"01/01/2024", "Solde initial", "", "10.00"}, {}});
    EXPECT_FALSE(canDeleteRow(true, three, 1));
    EXPECT_FALSE(canDeleteRow(true, three, 2));

    Grid reg = registerOf({{"01/01/2024", "x", "5.00"},
                           {"01/01/2024", "Solde initial", "", "10.00"},
                           {"02/01/2024", "y", "1.00"},
                           {}});
    struct Case {
        bool open;
        int row;
        bool enabled;
    };
    const Case cases[] = {{true, 1, true},  {true, 2, false}, {true, 3, true},  {true, 4, false},
                          {true, 0, false}, {true, 5, false}, {false, 1, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(canDeleteRow(c.open, reg, c.row), c.enabled) << c.row;
    }
}

TEST(Balances, RunningBalanceSkipsRowsWithoutAmounts) {
    Grid reg = registerOf({{"01/01/2024", "Solde initial", "", "100.00", "X"},
                           {"02/01/2024", "no amount"},
                           {"03/01/2024", "", "30.50", "", "X"},
                           {"04/01/2024", "", "200.00"},
                           {"05/01/2024", "", "abc"},
                           {}});
    reg.set(2, col::Solde, "stale");
    const Balances b = recomputeBalances(reg);
    EXPECT_EQ(column(reg, col::Solde),
              (std::vector<std::string>{"100.00", "", "69.50", "-130.50", "-130.50", ""}));
    EXPECT_EQ(b.balance, centsOf(-130.5));
    EXPECT_EQ(b.reconciled, centsOf(69.5));
}

} // namespace
} // namespace ledgora
