#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "money/Amount.h"
#include "register/Grid.h"

namespace ledgora {
namespace {

// Every way a text is held: empty, in the handle, packed digits, in the arena, large.
const std::vector<std::string>& sampleTexts() {
    static const std::vector<std::string> texts = {
        "",
        "X",
        "Loyer",
        "Chèque",           // seven bytes of UTF-8
        "05/03/2024",       // packed
        "-1234567.89",      // packed
        "12 345,67 1:2",    // packed, fourteen
        "Courses du mois",  // eight to fourteen, not packable
        "0123456789012345", // digits, too many to pack
        "Marché, boulangerie du coin",
        std::string("a\0b", 3), // a NUL byte inside
        std::string(70'000, 'n'),
    };
    return texts;
}

// A cell as the reference keeps it: a text, or a number of cents.
struct Expected {
    std::string text;
    std::optional<Cents> cents;
    std::string read() const { return cents ? formatCents(*cents) : text; }
};

// The grid's contract, the plain way: rows of cells that move with their rows.
class Reference {
public:
    Reference(int rows, int columns)
        : columns_(columns), rows_(static_cast<std::size_t>(rows), row()) {}

    int rowCount() const { return static_cast<int>(rows_.size()); }
    Expected& at(int r, int c) {
        return rows_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    }
    std::vector<Expected> row() const {
        return std::vector<Expected>(static_cast<std::size_t>(columns_));
    }
    std::vector<std::vector<Expected>>& rows() { return rows_; }

private:
    int columns_;
    std::vector<std::vector<Expected>> rows_;
};

void expectSame(const Grid& grid, Reference& ref, int columns, const std::string& step) {
    ASSERT_EQ(grid.rowCount(), ref.rowCount()) << step;
    for (int r = 0; r < ref.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const Expected& e = ref.at(r, c);
            ASSERT_EQ(std::string(grid.at(r, c)), e.read()) << step << " at " << r << "," << c;
            ASSERT_EQ(grid.centsAt(r, c), e.cents) << step << " at " << r << "," << c;
            // The shortcuts that skip writing out a text agree with the text.
            const std::string text = e.read();
            ASSERT_EQ(grid.isEmpty(r, c), text.empty()) << step << " at " << r << "," << c;
            ASSERT_EQ(grid.parsedCentsAt(r, c),
                      text.empty() ? std::nullopt : std::optional<Cents>(parseCents(text)))
                << step << " at " << r << "," << c;
        }
    }
}

// Random edits and row operations on a grid and on the reference; they must agree after
// each one. Rows span several pages of cells and several blocks of balance offsets.
TEST(Grid, RowOperationsAndEditsAgreeWithThePlainModel) {
    constexpr int kColumns = 4;
    std::mt19937 rng(2024);
    const auto pick = [&](int n) {
        return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n));
    };
    const auto& texts = sampleTexts();
    Grid grid(5000, kColumns);
    Reference ref(5000, kColumns);
    for (int step = 0; step < 260; ++step) {
        const int rows = grid.rowCount();
        const int op = pick(13);
        std::string what = "step " + std::to_string(step) + " op " + std::to_string(op);
        switch (op) {
        case 0:
        case 1: // a burst of texts
            for (int i = 0; i < 200 && rows > 0; ++i) {
                const int r = pick(rows);
                const int c = pick(kColumns);
                const std::string& t =
                    texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size()) - 1))];
                grid.set(r, c, t);
                ref.at(r, c) = {t, std::nullopt};
            }
            break;
        case 2: // a column of running numbers
            for (int r = 0; r < rows; ++r) {
                if (pick(5) != 0) {
                    grid.setCents(r, 3, Cents{r} * 7 - 900);
                    ref.at(r, 3) = {"", Cents{r} * 7 - 900};
                }
            }
            break;
        case 3:
        case 4: { // numbers move from a row down
            const int first = pick(rows + 1);
            const Cents delta = static_cast<Cents>(pick(20001)) - 10000;
            grid.addCentsFrom(3, first, delta);
            for (int r = first; r < rows; ++r) {
                if (ref.at(r, 3).cents) {
                    *ref.at(r, 3).cents += delta;
                }
            }
            break;
        }
        case 5: {
            const int r = pick(rows + 1);
            grid.insertRow(r);
            ref.rows().insert(ref.rows().begin() + r, ref.row());
            break;
        }
        case 6:
            if (rows > 0) {
                const int r = pick(rows);
                grid.removeRow(r);
                ref.rows().erase(ref.rows().begin() + r);
            }
            break;
        case 7: {
            std::vector<int> order(static_cast<std::size_t>(std::max(rows - 1, 0)));
            std::iota(order.begin(), order.end(), 1);
            std::shuffle(order.begin(), order.end(), rng);
            grid.permuteRows(1, order);
            std::vector<std::vector<Expected>> moved;
            for (int o : order) {
                moved.push_back(ref.rows()[static_cast<std::size_t>(o)]);
            }
            std::copy(moved.begin(), moved.end(), ref.rows().begin() + 1);
            break;
        }
        case 8: { // drop every row whose first cell is one text
            const std::string gone = texts[static_cast<std::size_t>(pick(4))];
            grid.removeRowsIf(1, [&](const Grid& g, int r) { return g.at(r, 0) == gone; });
            auto& rs = ref.rows();
            rs.resize(std::max<std::size_t>(rs.size(), 1), ref.row()); // rows kept end at 1
            rs.erase(std::remove_if(rs.begin() + 1, rs.end(),
                                    [&](const auto& row) { return row[0].read() == gone; }),
                     rs.end());
            break;
        }
        case 9: {
            const int n = std::max(0, rows + pick(3001) - 1500);
            grid.setRowCount(n);
            ref.rows().resize(static_cast<std::size_t>(n), ref.row());
            break;
        }
        case 10:
            if (rows > 0) {
                const int r = pick(rows);
                grid.clearRow(r);
                ref.rows()[static_cast<std::size_t>(r)] = ref.row();
            }
            break;
        case 11:
            grid.compact();
            EXPECT_EQ(grid.garbageBytes(), 0U) << what;
            break;
        case 12: {
            const Grid copy = grid;
            grid = copy;
            break;
        }
        }
        expectSame(grid, ref, kColumns, what);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Grid, NumberCellsReadAsTheirTwoDecimalText) {
    const Cents values[] = {0,
                            5,
                            -5,
                            99,
                            -100,
                            123456789,
                            -987654321,
                            Grid::kMaxCellCents,
                            -Grid::kMaxCellCents,
                            Grid::kMaxCellCents + 1,
                            INT64_MIN + 1};
    Grid grid(3000, 2);
    for (const Cents v : values) {
        SCOPED_TRACE(v);
        grid.setCents(2000, 1, v);
        EXPECT_EQ(grid.at(2000, 1), formatCents(v));
        // Beyond the bound the number is kept as its text.
        const bool number = v >= -Grid::kMaxCellCents && v <= Grid::kMaxCellCents;
        EXPECT_EQ(grid.centsAt(2000, 1), number ? std::optional<Cents>(v) : std::nullopt);
        // Moved by an amount from far above, through the block offsets.
        grid.addCentsFrom(1, 1, 250);
        EXPECT_EQ(grid.at(2000, 1), formatCents(number ? v + 250 : v));
    }
    Grid texts(3000, 2);
    grid.setCents(2000, 1, 12345);
    texts.set(2000, 1, "123.45");
    EXPECT_EQ(grid, texts); // a number equals the text it reads as
}

TEST(Grid, GarbageIsCountedAndCompactionDropsIt) {
    const std::string longText(40, 'a');
    Grid grid(1000, 3);
    for (int r = 0; r < 1000; ++r) {
        grid.set(r, 1, longText + std::to_string(r));
    }
    const std::size_t full = grid.arenaBytes();
    EXPECT_EQ(grid.garbageBytes(), 0U);
    // Shorter texts take the old place; longer ones leave it behind.
    grid.set(5, 1, "Courses du mois");
    EXPECT_EQ(grid.arenaBytes(), full);
    for (int r = 0; r < 1000; ++r) {
        grid.set(r, 1, longText + longText + std::to_string(r));
    }
    EXPECT_GE(grid.garbageBytes(), 1000U * longText.size());
    const CellText kept = grid.at(7, 1);
    grid.set(8, 1, std::string(100'000, 'z')); // a new block: the old bytes stay where they are
    EXPECT_EQ(kept, longText + longText + "7");
    grid.compact();
    EXPECT_EQ(grid.garbageBytes(), 0U);
    EXPECT_EQ(grid.at(7, 1), longText + longText + "7");
    EXPECT_EQ(grid.at(8, 1).size(), 100'000U);

    // Removing most rows of a large grid compacts it by itself.
    Grid big(20'000, 2);
    for (int r = 0; r < 20'000; ++r) {
        big.set(r, 1, longText + std::to_string(r));
    }
    big.removeRowsIf(1, [](const Grid&, int r) { return r % 10 != 0; });
    EXPECT_EQ(big.rowCount(), 2000);
    EXPECT_EQ(big.garbageBytes(), 0U);
    EXPECT_EQ(big.at(1999, 1), longText + "19990");
}

TEST(Grid, APermutationThatIsNotOneChangesNothing) {
    Grid grid(4, 1);
    for (int r = 0; r < 4; ++r) {
        grid.set(r, 0, std::to_string(r));
    }
    const Grid before = grid;
    for (const std::vector<int>& order :
         {std::vector<int>{1, 1, 2}, {0, 1, 2}, {1, 2, 4}, {1, 2, 3, 4}}) {
        grid.permuteRows(1, order);
        EXPECT_EQ(grid, before);
    }
    grid.permuteRows(1, {3, 1, 2});
    EXPECT_EQ(grid.at(1, 0), "3");
    EXPECT_EQ(grid.at(3, 0), "2");
}

// A load shares each repeated text between its cells: an edit of one of them, in place or
// not, a copy or a compaction must leave the others as they were.
TEST(Grid, TextsALoadSharesStayApartUnderEdits) {
    constexpr int kRows = 6000; // beyond the tries after which a column may stop sharing
    Grid grid(kRows, 4);
    Grid::Filler fill(grid);
    const auto mode = [](int r) { return r % 3 ? "Carte de crédit" : "Prélèvement"; };
    const auto note = [](int r) { return "Facture numéro " + std::to_string(r); };
    for (int r = 0; r < kRows; ++r) {
        fill.set(r, 1, mode(r));
        fill.set(r, 2, note(r)); // never twice: kept apart from the start
        fill.set(r, 3, r % 2 ? "-1234567.89" : "0012345.60");
    }
    grid.set(1, 1, "Carte");                       // shorter: an unshared text shrinks in place
    grid.set(2, 1, "Carte de crédit et de débit"); // longer
    Grid copy = grid;
    copy.set(4, 1, "Espèces");
    grid.removeRow(0);
    grid.compact();
    const auto expectedMode = [&](int r) -> std::string {
        return r == 1 ? "Carte" : r == 2 ? "Carte de crédit et de débit" : mode(r);
    };
    for (int r = 1; r < kRows; ++r) {
        ASSERT_EQ(grid.at(r - 1, 1), expectedMode(r)) << r;
        ASSERT_EQ(grid.at(r - 1, 2), note(r)) << r;
        ASSERT_EQ(grid.at(r - 1, 3), r % 2 ? "-1234567.89" : "0012345.60") << r;
        ASSERT_EQ(copy.at(r, 1), r == 4 ? "Espèces" : expectedMode(r)) << r;
    }
    // A saved balance is a number again; a text that only looks like one stays a text.
    EXPECT_EQ(grid.centsAt(0, 3), -123456789);
    EXPECT_EQ(grid.centsAt(1, 3), std::nullopt);
}

// Texts of digits and separators up to fourteen bytes live in their handles, written one
// by one or by a load: a register's dates take no arena, and read back as they were.
TEST(Grid, DigitTextsUpToFourteenBytesTakeNoArena) {
    const struct {
        const char* text;
        bool packed;
    } cases[] = {
        {"05/03/2024", true},    {"0123456789/.,-", true},   {": 1 2 3 4", true},
        {"12345678", true},      {"012345678901234", false}, // fifteen
        {"05/03/2024+", false},  {"1e10000000", false},      {"05/03/2O24", false},
        {"05/03/2024\n", false},
    };
    constexpr int kRows = 5000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Grid one(kRows, 2);
        Grid loaded(kRows, 2);
        Grid::Filler fill(loaded);
        for (int r = 0; r < kRows; ++r) {
            one.set(r, 1, c.text);
            fill.set(r, 1, c.text);
        }
        for (const Grid* g : {&one, &loaded}) {
            EXPECT_EQ(g->at(kRows - 1, 1), c.text);
            EXPECT_EQ(g->centsAt(kRows - 1, 1), std::nullopt);
        }
        EXPECT_EQ(one.arenaBytes() == 0, c.packed);
        one.compact();
        EXPECT_EQ(one.at(7, 1), c.text);
    }
}

} // namespace
} // namespace ledgora
