#include <gtest/gtest.h>

#include "register/GridSearch.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/SearchPattern.h"

namespace ledgora {
namespace {

TEST(SearchPattern, Language) {
    struct Case {
        const char* pattern;
        const char* cell;
        bool match;
    };
    const Case cases[] = {
        {">100&<200", "150.00", true},
        {">100&<200", "199.99", true},
        {">100&<200", "100.00", false},
        {">100 & <200", "200.00", false},
        {">=100&<=200", "100", true},
        {">9", "10.00", true},               // as numbers, not as text
        {">9", "abc", true},                 // as text: "abc" > "9"
        {"<15/02/2024", "03/01/2024", true}, // as dates, not as text
        {">15/02/2024", "03/03/2024", true},
        {">15/02/2024", "14/02/2024", false},
        {"cou*", "Courses", true},
        {"*ses", "Courses", true},
        {"cou*", "Les courses", false}, // the whole cell must match
        {"c?urses", "Courses", true},
        {"Ch?que", "Chèque", true}, // "?" is one character, accented or not
        {"Ch??que", "Chèque", false},
        {"!cou*", "Loyer", true},
        {"!cou*", "Courses", false},
        {"Loyer;Courses", "Courses", true},
        {"Loyer|Courses", "Loyer", true},
        {"Loyer ^ Courses", "Essence", false},
        {"Loyer;Courses&>K", "Courses", false}, // left to right: (Loyer or Courses) and > "K"
        {"Loyer;Courses&>K", "Loyer", true},
        {"<10&>5;=x", "20", false},
        {"*", "", true},
        {"  loyer  ", "Loyer", true},
        {"a*b*c*d*e*f*g*h", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SearchPattern(c.pattern, false).matches(c.cell), c.match)
            << c.pattern << " on " << c.cell;
    }
    EXPECT_FALSE(SearchPattern("cou*", true).matches("Courses"));
    EXPECT_TRUE(SearchPattern("Cou*", true).matches("Courses"));
}

Grid searchGrid() {
    // Columns 1..3 of four rows:
    //   row 1: a1 b1 125
    //   row 2: a2 12 c2
    //   row 3: a3 b3 12
    Grid g(4, 4);
    const char* cells[3][3] = {{"a1", "b1", "125"}, {"a2", "12", "c2"}, {"a3", "b3", "12"}};
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
            g.set(r, c, cells[r - 1][c - 1]);
        }
    }
    return g;
}

TEST(GridSearch, OrderScopeAndWholeCells) {
    const Grid g = searchGrid();
    struct Case {
        FindOptions::Direction direction;
        FindOptions::Scope scope;
        bool wholeCell;
        CellPosition current;
        std::vector<CellPosition> hits;
    };
    using D = FindOptions::Direction;
    using S = FindOptions::Scope;
    const Case cases[] = {
        {D::TopToBottom, S::Everything, false, {1, 1}, {{2, 2}, {1, 3}, {3, 3}}},
        {D::LeftToRight, S::Everything, false, {1, 1}, {{1, 3}, {2, 2}, {3, 3}}},
        {D::TopToBottom, S::Everything, true, {1, 1}, {{2, 2}, {3, 3}}},
        {D::TopToBottom, S::CurrentColumn, false, {2, 3}, {{1, 3}, {3, 3}}},
        {D::LeftToRight, S::CurrentRow, false, {2, 1}, {{2, 2}}},
    };
    for (const auto& c : cases) {
        GridSearch search(1, 3);
        FindOptions o;
        o.text = "12";
        o.direction = c.direction;
        o.scope = c.scope;
        o.wholeCell = c.wholeCell;
        std::vector<CellPosition> hits;
        for (auto hit = search.find(g, o, c.current); hit; hit = search.findNext(g)) {
            hits.push_back(*hit);
        }
        EXPECT_EQ(hits, c.hits);
    }
}

TEST(GridSearch, FindNextStartsOverAfterAMiss) {
    const Grid g = searchGrid();
    GridSearch search(1, 3);
    FindOptions o;
    o.text = "B";
    EXPECT_EQ(search.find(g, o, {1, 1}), (CellPosition{1, 2}));
    EXPECT_EQ(search.findNext(g), (CellPosition{3, 2}));
    EXPECT_EQ(search.findNext(g), std::nullopt);
    EXPECT_EQ(search.findNext(g), (CellPosition{1, 2})); // from the top again
    o.caseSensitive = true;
    EXPECT_EQ(search.find(g, o, {1, 1}), std::nullopt);
    o.text = "";
    o.caseSensitive = false;
    EXPECT_EQ(search.find(g, o, {1, 1}), std::nullopt); // nothing to look for
}

TEST(GridSearch, OnlyTheAreaIsSearched) {
    Grid reg = makeRegister(3);
    reg.set(1, col::Deber, "0.03"); // hidden
    reg.set(1, col::Number, "0.03");
    GridSearch search(1, 9);
    FindOptions o;
    o.text = "0.03";
    EXPECT_EQ(search.find(reg, o, {1, 1}), std::nullopt);
    reg.set(2, col::Rubrique, "Courses");
    reg.set(1, col::Notes, "Courses");
    o.text = "courses";
    o.scope = FindOptions::Scope::CurrentColumn;
    EXPECT_EQ(search.find(reg, o, {1, col::Rubrique}), (CellPosition{2, col::Rubrique}));
}

} // namespace
} // namespace ledgora
