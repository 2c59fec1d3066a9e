#include <gtest/gtest.h>

#include "register/GridPages.h"
#include "register/PrintSettings.h"

namespace ledgora {
namespace {

// A look that shows the first `shown` columns, bold on row 1.
class TestLook : public GridLook {
public:
    explicit TestLook(int shown) : shown_(shown) {}
    CellLook cell(const Grid&, int row, int) const override {
        CellLook look;
        look.bold = row == 1;
        return look;
    }
    int shownColumns(const Grid&) const override { return shown_; }

private:
    int shown_;
};

// One unit per byte, two in bold: easy to count.
double byteWidth(std::string_view text, bool bold) {
    return static_cast<double>(text.size()) * (bold ? 2 : 1);
}

TEST(GridPages, PrintedTextPutsEachLineBreakOnOneLine) {
    struct Case {
        std::string_view text, printed;
    };
    const Case cases[] = {
        {"Cinéma\r\nPop-corn", "Cinéma Pop-corn"},
        {"a\rb\nc", "a b c"},
        {"\r\n\r\n", "  "},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(printedText(c.text), c.printed) << c.text;
    }
}

TEST(GridPages, ColumnsAreAsWideAsTheirWidestTextWithinTheLimit) {
    Grid grid(3, 4);
    grid.set(0, 0, "abc");
    grid.set(1, 0, "ab");           // bold: 4
    grid.set(2, 1, "a\r\nbcdefgh"); // measured as "a bcdefgh"
    grid.set(2, 2, std::string(100, 'x'));
    grid.set(2, 3, std::string(50, 'y')); // not shown
    const std::vector<double> widths = measureColumns(grid, TestLook(3), byteWidth, 1.0, 40.0);
    EXPECT_EQ(widths, (std::vector<double>{6.0, 11.0, 40.0}));
}

TEST(GridPages, AnEmptyColumnKeepsItsPadding) {
    const Grid grid(2, 2);
    EXPECT_EQ(measureColumns(grid, TestLook(2), byteWidth, 3.0, 40.0),
              (std::vector<double>{6.0, 6.0}));
}

TEST(GridPages, RowsAreCutIntoPagesUnderTheRepeatedCaptions) {
    // 100 high between header and footer, rows of 10: 10 rows a page, 9 under one caption.
    const PageArea area{200, 130, 20, 10};
    struct Case {
        int rows, fixed, perPage, pages;
        int lastFirst, lastEnd; // the rows of the last page
    };
    const Case cases[] = {
        {1, 1, 9, 1, 1, 1},                             // captions alone: one page
        {10, 1, 9, 1, 1, 10},                           // exactly one page
        {11, 1, 9, 2, 10, 11},                          // one row over
        {19, 1, 9, 2, 10, 19},                          // two full pages
        {100, 0, 10, 10, 90, 100}, {0, 1, 10, 1, 0, 0}, // no rows at all
    };
    for (const Case& c : cases) {
        const GridPages pages({50, 50}, 10, c.rows, c.fixed, area, true, true);
        EXPECT_EQ(pages.rowsPerPage(), c.perPage) << c.rows;
        EXPECT_EQ(pages.pageCount(), c.pages) << c.rows;
        const GridPages::Rows last = pages.rows(pages.pageCount());
        EXPECT_EQ(last.first, c.lastFirst) << c.rows;
        EXPECT_EQ(last.end, c.lastEnd) << c.rows;
        EXPECT_TRUE(pages.rows(pages.pageCount() + 1).empty()) << c.rows;
        EXPECT_TRUE(pages.rows(0).empty()) << c.rows;
    }
}

TEST(GridPages, EveryRowIsOnExactlyOnePage) {
    const GridPages pages({10}, 7, 1000, 1, {100, 290, 15, 7}, true, true);
    int next = 1;
    for (int p = 1; p <= pages.pageCount(); ++p) {
        const GridPages::Rows rows = pages.rows(p);
        ASSERT_EQ(rows.first, next) << p;
        next = rows.end;
    }
    EXPECT_EQ(next, 1000);
}

TEST(GridPages, APageTooSmallForOneRowStillPrintsOneRowAPage) {
    const GridPages pages({10}, 50, 4, 1, {100, 60, 40, 10}, true, true);
    EXPECT_EQ(pages.rowsPerPage(), 1);
    EXPECT_EQ(pages.pageCount(), 3);
}

TEST(GridPages, AWideGridShrinksToThePageWidthANarrowOneIsCentred) {
    struct Case {
        std::vector<double> widths;
        bool fit, centred;
        double scale, left, right;
    };
    const Case cases[] = {
        {{100, 300}, true, true, 0.5, 0, 200},  // shrunk: fills the width
        {{100, 300}, false, true, 1.0, 0, 400}, // not shrunk: runs over
        {{50, 50}, true, true, 1.0, 50, 150},   // never enlarged, centred
        {{50, 50}, true, false, 1.0, 0, 100},   // left
        {{}, true, true, 1.0, 100, 100},
    };
    for (const Case& c : cases) {
        const GridPages pages(c.widths, 10, 5, 1, {200, 300, 0, 0}, c.fit, c.centred);
        EXPECT_DOUBLE_EQ(pages.scale(), c.scale);
        EXPECT_DOUBLE_EQ(pages.columnEdges().front(), c.left);
        EXPECT_DOUBLE_EQ(pages.columnEdges().back(), c.right);
    }
    // Shrinking makes the rows smaller too, so more fit on a page.
    const GridPages shrunk({400}, 10, 100, 1, {200, 100, 0, 0}, true, true);
    EXPECT_DOUBLE_EQ(shrunk.rowHeight(), 5);
    EXPECT_EQ(shrunk.rowsPerPage(), 19);
}

TEST(PrintSettings, TheRegisterPrintsUnderItsCaption) {
    const PrintSettings s =
        registerPrintSettings("Ledgora - Léa : compte \"Courant\" (Euros)", true);
    EXPECT_EQ(s.title, "Ledgora - Léa : compte \"Courant\" (Euros)");
    EXPECT_EQ(s.jobName, s.title);
    EXPECT_TRUE(s.blackAndWhite);
    EXPECT_EQ(creditLine(), "Imprimé avec Ledgora");
}

} // namespace
} // namespace ledgora
