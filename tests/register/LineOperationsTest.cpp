#include <gtest/gtest.h>

#include "TestWorld.h"
#include "register/CellClipboard.h"
#include "register/ListEditor.h"
#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

using testing::TestWorld;

// An account of eight rows: initial balance, six debits of 1..6, the blank row.
void fillEight(TestWorld& w) {
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    for (int r = 2; r <= 7; ++r) {
        w.session.validateCell(r, col::Debit, std::to_string(r - 1));
        w.session.validateCell(r, col::Notes, "op" + std::to_string(r - 1));
    }
    ASSERT_EQ(w.session.grid().rowCount(), 9);
}

TEST(LineOperations, DeletingAsksAndRenumbers) {
    TestWorld w;
    fillEight(w);
    w.dialogs.no().yes();
    EXPECT_FALSE(w.session.deleteLine(5));
    EXPECT_TRUE(w.session.deleteLine(5));
    EXPECT_EQ(w.dialogs.texts(),
              (std::vector<std::string>{"Voulez-vous vraiment supprimer la ligne 5 ?",
                                        "Voulez-vous vraiment supprimer la ligne 5 ?"}));
    const Grid& g = w.session.grid();
    EXPECT_EQ(g.rowCount(), 8);
    EXPECT_EQ(g.at(5, col::Notes), "op5");
    EXPECT_EQ(g.at(5, col::Number), "5");
    EXPECT_EQ(g.at(7, col::Number), "7");
    EXPECT_EQ(w.session.balances().balance, centsOf(100 - (1 + 2 + 3 + 5 + 6)));
}

TEST(LineOperations, TheInitialBalanceRowStays) {
    TestWorld w;
    fillEight(w);
    EXPECT_FALSE(w.session.deleteLine(1));
    EXPECT_EQ(
        w.dialogs.texts(),
        std::vector<std::string>{"Il n'est pas permis de supprimer la ligne \"Solde initial\"."});
    TestWorld small;
    ASSERT_TRUE(small.session.create("Courant", 0, true));
    EXPECT_FALSE(small.session.deleteLine(2)); // three rows cannot lose one
    EXPECT_TRUE(small.dialogs.shown().empty());
}

TEST(LineOperations, InsertAppendAndCleanUp) {
    TestWorld w;
    fillEight(w);
    w.session.insertLineAfter(3);
    w.session.appendLine();
    const Grid& g = w.session.grid();
    EXPECT_EQ(g.rowCount(), 11);
    EXPECT_EQ(g.at(4, col::Notes), "");
    EXPECT_EQ(g.at(5, col::Notes), "op3");
    EXPECT_EQ(g.at(10, col::Number), "10");
    w.session.cleanUpLines();
    EXPECT_EQ(g.rowCount(), 9);
    EXPECT_EQ(g.at(4, col::Notes), "op3");
    EXPECT_EQ(g.at(8, col::Notes), "");
}

TEST(LineOperations, CopyCutAndPaste) {
    TestWorld w;
    fillEight(w);
    const Grid& g = w.session.grid();
    EXPECT_EQ(copyCellsText(g, 2, col::Notes, 3, col::Debit), "op1\t\t1.00\r\nop2\t\t2.00");

    // Pasted past the end: rows are added, amounts normalised, balances at once.
    const int rows =
        w.session.paste(8, col::Rubrique, "courses\tA\tChèque\t12,5\r\nloyer\tB\t\t700\r\n");
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(g.at(8, col::Rubrique), "Courses");
    EXPECT_EQ(g.at(8, col::Debit), "12.50");
    EXPECT_EQ(g.at(9, col::Rubrique), "Loyer");
    EXPECT_EQ(g.at(9, col::Debit), "700.00");
    EXPECT_EQ(g.at(9, col::Date), "05/03/2024");
    EXPECT_EQ(g.at(10, col::Number), "10"); // the blank row after the last edit
    EXPECT_EQ(w.session.balances().balance, centsOf(100 - 21 - 12.5 - 700));

    w.session.clearCells(8, col::Debit, 9, col::Solde);
    EXPECT_EQ(g.at(8, col::Debit), "");
    EXPECT_EQ(w.session.balances().balance, centsOf(100 - 21));
}

TEST(LineOperations, ClipboardTextParsing) {
    EXPECT_EQ(parseClipboardText("a\tb\r\nc"),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"c"}}));
    EXPECT_EQ(parseClipboardText("x\t\n"), (std::vector<std::vector<std::string>>{{"x", ""}}));
    EXPECT_TRUE(parseClipboardText("").empty());
}

TEST(ListEditor, TheDialogRules) {
    ListEditor cats(NameList::builtInCategories());
    EXPECT_EQ(cats.selected(), 0);
    EXPECT_EQ(cats.field(), "Achats CB");

    cats.setField("loyer");
    cats.add();
    EXPECT_EQ(cats.list().size(), 54);
    cats.setField("électricité");
    cats.add();
    EXPECT_EQ(cats.list()[cats.selected()], "électricité");
    cats.setField("eau potable");
    cats.add();
    EXPECT_EQ(cats.list()[cats.selected()], "Eau potable");

    cats.setField("dons");
    cats.replace(); // "Dons" exists: nothing changes
    EXPECT_EQ(cats.list()[cats.selected()], "Eau potable");
    cats.setField("eau de source");
    cats.replace();
    EXPECT_EQ(cats.list()[cats.selected()], "Eau de source");

    cats.select(cats.list().size() - 1);
    cats.remove();
    EXPECT_EQ(cats.selected(), cats.list().size() - 1);
    EXPECT_EQ(cats.list()[cats.selected()], "Vacances");
    EXPECT_EQ(cats.field(), "");

    ListEditor one(NameList({"Seul"}));
    one.remove();
    EXPECT_TRUE(one.list().empty());
    EXPECT_EQ(one.selected(), -1);
    one.remove(); // nothing left: nothing happens
    one.replace();
    EXPECT_TRUE(one.list().empty());
}

} // namespace
} // namespace ledgora
