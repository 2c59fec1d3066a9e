#include <gtest/gtest.h>

#include "register/CellRules.h"
#include "register/ColumnWidths.h"
#include "register/MonthlySpending.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

// Row 2 is a linked transfer; "Courses" has a maximum of 100.
class FakeHooks : public TransferLinks, public BudgetLimits {
public:
    bool isLinked(const Grid&, int row) const override { return row == 2; }
    Cents monthlyMaximum(const std::string& category) const override {
        return category == "Courses" ? 10'000 : 0;
    }
};

Grid sampleRegister() {
    Grid reg = makeRegister(7);
    const char* rows[][5] = {
        // date, numero, rubrique, debit, credit
        {"01/03/2024", "", "Solde initial", "", "500.00"},
        {"02/03/2024", "vir3", "Virement", "50.00", ""},
        {"03/03/2024", "1041", "Courses", "60.00", ""},
        {"04/03/2024", "", "Courses", "50.00", ""},
        {"05/04/2024", "1042", "Courses", "10.00", ""},
    };
    for (int r = 1; r <= 5; ++r) {
        reg.set(r, col::Date, rows[r - 1][0]);
        reg.set(r, col::Numero, rows[r - 1][1]);
        reg.set(r, col::Rubrique, rows[r - 1][2]);
        reg.set(r, col::Debit, rows[r - 1][3]);
        reg.set(r, col::Credit, rows[r - 1][4]);
    }
    reg.set(1, col::Notes, "Solde initial");
    reg.set(3, col::Solde, "-12.00");
    reg.set(4, col::Solde, "0.00");
    return reg;
}

// The sums over the whole register are what its rows add one by one: repeated and
// unreadable dates, rows without a debit, a category that reads as a number, long names.
TEST(MonthlySpending, RebuildSumsWhatEachRowAdds) {
    const std::string longName(40, 'r');
    const char* rows[][3] = {
        // date, rubrique, debit
        {"02/03/2024", "Courses", "10.00"},
        {"02/03/2024", "Loisirs", "4.50"},
        {"02/03/2024", "Courses", "2.25"},
        {"02/03/2024", "", "1.00"},
        {"31/02/2024", "Courses", "99.00"},
        {"", "Courses", "98.00"},
        {"03/03/2024", "Courses", ""},
        {"03/03/2024", "12.50", "7.00"},
        {"03/03/2024", longName.c_str(), "3.00"},
        {"1/4/24", "Courses", "5.00"},
        {"01/04/2024", "12.50", "0.01"},
        {"01/04/2025", "Courses", "6.00"},
    };
    Grid reg = makeRegister(static_cast<int>(std::size(rows)) + 1);
    MonthlySpending rowByRow;
    for (int r = 1; r <= static_cast<int>(std::size(rows)); ++r) {
        reg.set(r, col::Date, rows[r - 1][0]);
        reg.set(r, col::Rubrique, rows[r - 1][1]);
        reg.set(r, col::Debit, rows[r - 1][2]);
        rowByRow.update(reg, r, MonthlySpending::Entry{});
    }
    MonthlySpending rebuilt;
    rebuilt.rebuild(reg);
    EXPECT_TRUE(rebuilt == rowByRow);
    EXPECT_EQ(rebuilt.spending("Courses", 2024, 3), 1'225);
    EXPECT_EQ(rebuilt.spending("Courses", 2024, 4), 500);
    EXPECT_EQ(rebuilt.spending("12.50", 2024, 3), 700);
    EXPECT_EQ(rebuilt.spending(longName, 2024, 3), 300);
    EXPECT_EQ(rebuilt.spending("", 2024, 3), 100);
}

// Sums left to the first question are those of the register as it then stands, whatever
// was edited meanwhile; once made, they follow the edits row by row.
TEST(MonthlySpending, SumsLeftToTheFirstQuestionSeeTheEditsMadeMeanwhile) {
    Grid reg = sampleRegister();
    MonthlySpending later;
    later.rebuildWhenAsked(reg);
    const MonthlySpending::Entry before = MonthlySpending::entryOf(reg, 5);
    reg.set(5, col::Date, "05/03/2024");
    later.update(reg, 5, before);
    EXPECT_EQ(later.spending("Courses", 2024, 3), 12'000);
    EXPECT_EQ(later.spending("Courses", 2024, 4), 0);
    const MonthlySpending::Entry next = MonthlySpending::entryOf(reg, 4);
    reg.set(4, col::Debit, "");
    later.update(reg, 4, next);
    MonthlySpending now;
    now.rebuild(reg);
    EXPECT_TRUE(later == now);
    EXPECT_EQ(later.spending("Courses", 2024, 3), 7'000);
}

TEST(CellRules, ColoursFollowColumnRowAndBudget) {
    const Grid reg = sampleRegister();
    FakeHooks hooks;
    MonthlySpending spending;
    spending.rebuild(reg);
    struct Case {
        int row, column;
        Rgb background, text;
        bool bold;
    };
    using namespace colors;
    const Case cases[] = {
        {1, col::Date, kOddRow, kBlack, false},
        {2, col::Date, kRegister, kBlack, false},
        {1, col::Credit, kOddRow, kCredit, false},
        {2, col::Debit, kRegister, kDebit, false},
        {3, col::Solde, kOddRow, kNegative, false},
        {4, col::Solde, kRegister, kBlack, false},
        {3, col::Rubrique, kOddRow, kNegative, true}, // 110 spent in March > 100
        {4, col::Rubrique, kRegister, kNegative, true},
        {5, col::Rubrique, kOddRow, kBlack, false}, // April: 10 only
        {6, col::Rubrique, kRegister, kBlack, false},
    };
    for (const auto& c : cases) {
        const CellStyle s = registerCellStyle(reg, c.row, c.column, hooks, &spending);
        EXPECT_EQ(s.background, c.background) << c.row << "," << c.column;
        EXPECT_EQ(s.text, c.text) << c.row << "," << c.column;
        EXPECT_EQ(s.bold, c.bold) << c.row << "," << c.column;
    }
    // Without budgets nothing is over budget.
    EXPECT_FALSE(registerCellStyle(reg, 3, col::Rubrique, BudgetLimits(), &spending).bold);
    EXPECT_FALSE(registerCellStyle(reg, 3, col::Rubrique, hooks, nullptr).bold);
}

TEST(CellRules, SpendingIsExactCaseAndDatedRowsOnly) {
    Grid reg = sampleRegister();
    reg.set(6, col::Rubrique, "courses");
    reg.set(6, col::Date, "06/03/2024");
    reg.set(6, col::Debit, "500.00");
    reg.set(5, col::Date, "");
    MonthlySpending spending;
    spending.rebuild(reg);
    EXPECT_EQ(spending.spending("Courses", 2024, 3), centsOf(110.0));
    EXPECT_EQ(spending.spending("courses", 2024, 3), centsOf(500.0));
    EXPECT_EQ(spending.spending("Courses", 2024, 4), centsOf(0.0));
}

TEST(CellRules, AlignmentAndEditors) {
    EXPECT_EQ(registerCellAlignment(0, col::Debit), Alignment::Center);
    EXPECT_EQ(registerCellAlignment(3, col::Number), Alignment::Center);
    EXPECT_EQ(registerCellAlignment(3, col::Pointage), Alignment::Center);
    EXPECT_EQ(registerCellAlignment(3, col::Solde), Alignment::Right);
    EXPECT_EQ(registerCellAlignment(3, col::Notes), Alignment::Left);
    const EditorKind kinds[] = {EditorKind::None,        EditorKind::CheckBox, EditorKind::Date,
                                EditorKind::Number,      EditorKind::Category, EditorKind::Text,
                                EditorKind::PaymentMode, EditorKind::Decimal,  EditorKind::Decimal,
                                EditorKind::None};
    for (int c = 0; c < kShownColumns; ++c) {
        EXPECT_EQ(registerEditorKind(c), kinds[c]) << c;
    }
}

TEST(CellRules, MayEditAndHints) {
    const Grid reg = sampleRegister();
    FakeHooks hooks;
    struct Case {
        int row, column;
        bool editable;
    };
    const Case cases[] = {
        {3, col::Solde, false},  {2, col::Numero, false}, {2, col::Notes, false},
        {2, col::Date, true},    {3, col::Numero, true},  {3, col::Debit, true},
        {3, col::Credit, false}, {1, col::Debit, false},  {6, col::Debit, true},
        {6, col::Credit, true},  {0, col::Date, false},   {3, col::Deber, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mayEditRegisterCell(reg, c.row, c.column, hooks), c.editable)
            << c.row << "," << c.column;
    }
    EXPECT_EQ(registerCellHint(reg, 2, col::Notes, hooks), kLockedByTransferHint);
    EXPECT_EQ(registerCellHint(reg, 2, col::Date, hooks), "");
    EXPECT_EQ(registerCellHint(reg, 3, col::Notes, hooks), "");
}

TEST(CellRules, ClickFillsTheNextChequeNumberAndTheCategoryAbove) {
    Grid reg = sampleRegister();
    reg.set(4, col::Numero, "1043"); // 1043 is taken: row 6 gets 1044 after 1042
    struct Case {
        int row, column;
        std::optional<std::string> fill;
    };
    const Case cases[] = {
        {6, col::Numero, "1044"},         {4, col::Numero, std::nullopt},       // not empty
        {1, col::Numero, std::nullopt},                                         // first row
        {6, col::Rubrique, "Courses"},    {2, col::ModePaiement, std::nullopt}, // nothing above
        {2, col::Rubrique, std::nullopt}, // only "Solde initial" above
        {6, col::Notes, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clickFill(reg, c.row, c.column), c.fill) << c.row << "," << c.column;
    }
    Grid transfersOnly = makeRegister(4);
    transfersOnly.set(1, col::Numero, "vir1");
    transfersOnly.set(2, col::Numero, "abc");
    EXPECT_EQ(clickFill(transfersOnly, 3, col::Numero), std::nullopt);
    transfersOnly.set(2, col::Numero, "");
    EXPECT_EQ(clickFill(transfersOnly, 3, col::Numero), std::nullopt);
}

TEST(CellRules, PaymentModePictures) {
    const std::pair<std::string, int> cases[] = {
        {"Carte de crédit", 0}, {"Chèque", 1},    {"Espèces", 2},           {"Prélèvement", 3},
        {"Virement", 4},        {"virement", -1}, {"Virement mensuel", -1}, {"", -1}};
    for (const auto& [mode, picture] : cases) {
        EXPECT_EQ(paymentModePicture(mode), picture) << mode;
    }
}

TEST(ColumnWidths, NoColumnOutgrowsTheView) {
    struct Case {
        const char* name;
        std::vector<int> wanted; // the third column stretches
        int available;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"room to spare: the notes take it", {50, 60, 80, 70}, 400, {50, 60, 220, 70}},
        {"a long note is cut to what is left", {50, 60, 3000, 70}, 400, {50, 60, 220, 70}},
        {"a long category stops beside the others", {50, 2000, 80, 70}, 400, {50, 240, 40, 70}},
        {"a view narrower than the columns", {150, 200, 80, 100}, 300, {86, 86, 42, 86}},
        {"narrower than the minimums", {150, 200, 80, 100}, 100, {40, 40, 40, 40}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(defaultColumnWidths(c.wanted, c.available, 2, 40), c.widths) << c.name;
    }
    EXPECT_EQ(defaultColumnWidths({50, 600}, 400, 5, 40), (std::vector<int>{50, 350}));
    // A right click: the contents, within the view beside the others.
    EXPECT_EQ(fittedColumnWidth(3000, 800, 500, 40), 300);
    EXPECT_EQ(fittedColumnWidth(120, 800, 500, 40), 120);
    EXPECT_EQ(fittedColumnWidth(120, 800, 900, 40), 40);
}

} // namespace
} // namespace ledgora
