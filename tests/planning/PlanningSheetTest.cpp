// The planning's edit rules: the day's checks and messages, amounts, lists, the transfer
// question, the blank last row, line commands, click-fill, sort, totals and conversion.
#include <gtest/gtest.h>

#include "planning/PlanningSheet.h"
#include "planning/TransferRules.h"
#include "platform/ScriptedDialogs.h"
#include "register/Currency.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

const std::string kQuestion =
    "Ce virement concerne-t-il un autre de vos comptes enregistré avec Ledgora ?";

struct Sheet {
    Grid grid{2, planning_col::Count};
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    platform::ScriptedDialogs dialogs;
    std::vector<std::string> others{"Livret"};
    PlanningSheet sheet{grid, categories, modes, dialogs, [this] { return others; }};

    Sheet() { renumberRows(grid); }

    // Planned rows (day, category, notes, mode, debit, credit), typed by the program.
    void fill(const std::vector<std::vector<std::string>>& rows) {
        sheet.setValidating(false);
        for (const auto& cells : rows) {
            const int r = grid.rowCount() - 1;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                sheet.validateCell(r, static_cast<int>(c) + 1, cells[c]);
            }
            sheet.appendLine();
        }
        sheet.setValidating(true);
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> cells;
        for (int r = 1; r < grid.rowCount(); ++r) {
            cells.push_back(grid.at(r, c));
        }
        return cells;
    }
};

TEST(PlanningSheet, TheDayIsCheckedAsTyped) {
    const std::string leap = "Attention aux années bissextiles !";
    const std::string shortMonth = "Attention : tous les mois n'ont pas 31 jours...";
    const std::string bad = "Saisie incorrecte.";
    struct Case {
        const char* typed;
        std::vector<std::string> messages;
        const char* kept;
    };
    for (const Case& c :
         {Case{"31", {leap, shortMonth}, "31"}, Case{"30", {leap}, "30"}, Case{"29", {leap}, "29"},
          Case{"28", {}, "28"}, Case{"1", {}, "1"}, Case{"0", {bad}, ""}, Case{"32", {bad}, ""},
          Case{"-3", {bad}, ""}, Case{"1e1", {bad}, ""}, Case{"", {}, ""}}) {
        Sheet s;
        s.sheet.validateCell(1, planning_col::Day, c.typed);
        EXPECT_EQ(s.dialogs.texts(), c.messages) << c.typed;
        EXPECT_EQ(s.grid.at(1, planning_col::Day), c.kept) << c.typed;
        if (!c.messages.empty()) {
            EXPECT_EQ(s.dialogs.shown().back().kind, c.messages.back() == bad
                                                         ? platform::MessageKind::Error
                                                         : platform::MessageKind::Warning);
        }
    }
}

TEST(PlanningSheet, AmountsAreNormalisedAndTotalledInCents) {
    Sheet s;
    s.sheet.validateCell(1, planning_col::Debit, "12,5");
    s.sheet.validateCell(2, planning_col::Debit, "0,1");
    s.sheet.validateCell(3, planning_col::Debit, "0.2");
    s.sheet.validateCell(4, planning_col::Credit, "abc");
    s.sheet.validateCell(5, planning_col::Credit, "1500,50");
    EXPECT_EQ(s.column(planning_col::Debit),
              (std::vector<std::string>{"12.50", "0.10", "0.20", "", "", ""}));
    EXPECT_EQ(s.grid.at(4, planning_col::Credit), "0.00");
    EXPECT_EQ(s.sheet.totals().debits, 1280);
    EXPECT_EQ(s.sheet.totals().credits, 150050);
    EXPECT_FALSE(s.sheet.mayEdit(1, planning_col::Credit));
    EXPECT_TRUE(s.sheet.mayEdit(1, planning_col::Debit));
    EXPECT_FALSE(s.sheet.mayEdit(1, planning_col::Entered));
}

TEST(PlanningSheet, EditingAConvertedAmountDropsItsRemainder) {
    Sheet s;
    s.fill(
        {{"5", "Loyer", "", "Chèque", "1000.00"}, {"6", "Salaire", "", "Virement", "", "20.00"}});
    convertAmountsToEuros(s.grid, kPlanningAmounts);
    ASSERT_FALSE(s.grid.at(1, planning_col::Deber).empty());
    s.sheet.validateCell(1, planning_col::Debit, "152.45"); // as it was: kept
    EXPECT_FALSE(s.grid.at(1, planning_col::Deber).empty());
    s.sheet.validateCell(1, planning_col::Debit, "160");
    s.sheet.validateCell(2, planning_col::Credit, "3.05");
    EXPECT_EQ(s.grid.at(1, planning_col::Deber), "");
    convertAmountsToFrancs(s.grid, kPlanningAmounts);
    EXPECT_EQ(s.grid.at(1, planning_col::Debit), "1049.53"); // 160 x 6.55957, nothing added
    EXPECT_EQ(s.grid.at(2, planning_col::Credit), "20.00");  // unchanged: its remainder stays
}

TEST(PlanningSheet, ConversionBothWaysRestoresEveryAmount) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 400; ++i) {
        const std::string amount =
            std::to_string(i * 37 + i % 7) + "." + std::to_string(10 + (i * 13) % 90);
        rows.push_back({"1", "", "", "", i % 2 == 0 ? amount : "", i % 2 == 0 ? "" : amount});
    }
    for (bool startInEuros : {true, false}) {
        Sheet s;
        s.fill(rows);
        const std::vector<std::string> debits = s.column(planning_col::Debit);
        const std::vector<std::string> credits = s.column(planning_col::Credit);
        if (startInEuros) {
            convertAmountsToFrancs(s.grid, kPlanningAmounts);
            convertAmountsToEuros(s.grid, kPlanningAmounts);
        } else {
            convertAmountsToEuros(s.grid, kPlanningAmounts);
            convertAmountsToFrancs(s.grid, kPlanningAmounts);
        }
        EXPECT_EQ(s.column(planning_col::Debit), debits) << startInEuros;
        EXPECT_EQ(s.column(planning_col::Credit), credits) << startInEuros;
    }
}

TEST(PlanningSheet, TheModeAsksWhereATransferGoes) {
    struct Case {
        const char* mode;
        std::vector<std::string> others;
        bool asked;
    };
    for (const Case& c :
         {Case{"Virement mensuel", {"Livret"}, true}, Case{"virement", {"Livret"}, true},
          Case{"Prélèvement", {"Livret"}, false}, Case{"Virement", {}, false}}) {
        Sheet s;
        s.others = c.others;
        s.dialogs.yes().choose(0);
        s.sheet.validateCell(1, planning_col::Mode, c.mode);
        EXPECT_EQ(s.dialogs.texts(),
                  c.asked ? std::vector<std::string>{kQuestion} : std::vector<std::string>{})
            << c.mode;
        EXPECT_EQ(s.grid.at(1, planning_col::Notes), c.asked ? "Livret" : "") << c.mode;
    }
}

TEST(PlanningSheet, NoTwiceIsImpossible) {
    Sheet s;
    s.sheet.validateCell(1, planning_col::Notes, "épargne");
    s.dialogs.no().no();
    s.sheet.validateCell(1, planning_col::Mode, "Virement");
    s.sheet.validateCell(1, planning_col::Mode, "Virement mensuel");
    EXPECT_EQ(s.dialogs.texts(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(s.grid.at(1, planning_col::Notes), "épargne (externe à Ledgora)");
    // A cancelled chooser changes nothing: the question comes again.
    Sheet t;
    t.dialogs.yes().cancel().yes().choose(0);
    t.sheet.validateCell(1, planning_col::Mode, "Virement");
    EXPECT_EQ(t.grid.at(1, planning_col::Notes), "");
    t.sheet.validateCell(1, planning_col::Mode, "Virement");
    EXPECT_EQ(t.grid.at(1, planning_col::Notes), "Livret");
}

TEST(PlanningSheet, ListsLearnNewCategoriesAndModes) {
    Sheet s;
    s.sheet.validateCell(1, planning_col::Rubrique, "apiculture");
    s.sheet.validateCell(1, planning_col::Mode, "tip");
    s.sheet.validateCell(2, planning_col::Rubrique, "APICULTURE");
    EXPECT_EQ(s.grid.at(1, planning_col::Rubrique), "Apiculture");
    EXPECT_EQ(s.grid.at(1, planning_col::Mode), "Tip");
    EXPECT_TRUE(s.categories.contains("Apiculture"));
    EXPECT_TRUE(s.modes.contains("Tip"));
    EXPECT_EQ(s.categories.size(), NameList::builtInCategories().size() + 1);
}

TEST(PlanningSheet, TheGridAlwaysEndsWithOneBlankRow) {
    Sheet s;
    s.sheet.validateCell(1, planning_col::Day, "3");
    EXPECT_EQ(s.grid.rowCount(), 3);
    EXPECT_EQ(s.grid.at(2, 0), "2");
    // The blank last row cannot go, nor the grid below two rows.
    EXPECT_FALSE(s.sheet.canDelete(2));
    s.dialogs.yes();
    EXPECT_TRUE(s.sheet.deleteLine(1));
    EXPECT_EQ(s.dialogs.texts(),
              std::vector<std::string>{"Voulez-vous vraiment supprimer la ligne 1 ?"});
    EXPECT_EQ(s.grid.rowCount(), 2);
    EXPECT_FALSE(s.sheet.canDelete(1));
    EXPECT_FALSE(s.sheet.deleteLine(1));

    s.fill({{"1", "A"}, {"2", "B"}, {"3", "C"}});
    EXPECT_FALSE(s.sheet.canInsertAfter(4));
    EXPECT_TRUE(s.sheet.insertLineAfter(1));
    EXPECT_EQ(s.column(planning_col::Rubrique), (std::vector<std::string>{"A", "", "B", "C", ""}));
    EXPECT_EQ(s.column(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    s.dialogs.no();
    EXPECT_FALSE(s.sheet.deleteLine(3));
    s.sheet.cleanUp();
    EXPECT_EQ(s.column(planning_col::Rubrique), (std::vector<std::string>{"A", "B", "C", ""}));
    EXPECT_EQ(s.column(0), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST(PlanningSheet, AClickFillsFromTheNearestFilledCellAbove) {
    Sheet s;
    s.fill({{"5", "Loyer", "x", "Chèque"}, {"", "", "", ""}, {"", "Impôts"}});
    struct Case {
        int row;
        int column;
        std::optional<std::string> proposed;
    };
    for (const Case& c :
         {Case{2, planning_col::Day, "5"}, Case{2, planning_col::Rubrique, "Loyer"},
          Case{4, planning_col::Rubrique, "Impôts"}, Case{4, planning_col::Mode, "Chèque"},
          Case{2, planning_col::Notes, std::nullopt}, Case{1, planning_col::Day, std::nullopt},
          Case{3, planning_col::Rubrique, std::nullopt}}) {
        EXPECT_EQ(s.sheet.clickFill(c.row, c.column), c.proposed) << c.row << "," << c.column;
    }
    Sheet empty;
    EXPECT_EQ(empty.sheet.clickFill(1, planning_col::Day), std::nullopt);
}

TEST(PlanningSheet, SortingComparesDaysAndAmountsAsNumbers) {
    Sheet s;
    s.fill({{"10", "Eau", "", "", "9.00"},
            {},
            {"9", "Électricité", "", "", "100.00"},
            {"2", "assurance", "", "", "20.00"}});
    s.sheet.sortBy(planning_col::Day);
    EXPECT_EQ(s.column(planning_col::Day), (std::vector<std::string>{"2", "9", "10", ""}));
    EXPECT_EQ(s.column(0), (std::vector<std::string>{"1", "2", "3", "4"}));
    s.sheet.sortBy(planning_col::Debit);
    EXPECT_EQ(s.column(planning_col::Debit),
              (std::vector<std::string>{"9.00", "20.00", "100.00", ""}));
    s.sheet.sortBy(planning_col::Rubrique);
    EXPECT_EQ(s.column(planning_col::Rubrique),
              (std::vector<std::string>{"assurance", "Eau", "Électricité", ""}));
    EXPECT_TRUE(s.sheet.validating());
}

TEST(PlanningSheet, SearchSaysWhenNothingMatches) {
    Sheet s;
    s.fill({{"5", "Loyer"}, {"6", "Gaz"}});
    FindOptions o;
    o.text = "gaz";
    EXPECT_EQ(s.sheet.find(o, {}), (CellPosition{2, planning_col::Rubrique}));
    EXPECT_EQ(s.sheet.findNext(), std::nullopt);
    EXPECT_EQ(s.dialogs.texts(), std::vector<std::string>{"Recherche infructueuse."});
}

} // namespace
} // namespace ledgora
