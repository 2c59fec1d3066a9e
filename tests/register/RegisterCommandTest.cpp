// Every edit of the register is a command that a history receives whole and can revert:
// the grid, the balances and the monthly spending come back exactly as they were.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "register/RegisterColumns.h"
#include "register/RegisterHistory.h"

namespace ledgora {
namespace {

using testing::TestWorld;

class KeptHistory : public RegisterHistory {
public:
    std::vector<RegisterCommand> commands;
    int forgotten = 0;
    void done(RegisterCommand command) override { commands.push_back(std::move(command)); }
    void forgetAll() override {
        commands.clear();
        ++forgotten;
    }
};

class CellsSeen : public RegisterObserver {
public:
    std::vector<std::string> events;
    void cellsChanged(int row, int first, int) override {
        events.push_back("cells " + std::to_string(row) + " " + std::to_string(first));
    }
    void balancesChanged(int fromRow) override {
        events.push_back("balances " + std::to_string(fromRow));
    }
};

// A transfer check that writes beside the edit and elsewhere in the register.
struct Linking : TransferLinks {
    void afterEdit(RegisterEdits& edits, int row) override {
        edits.setCell(row, col::Numero, "vir1");
        edits.setCell(1, col::Credit, "150.00");
    }
};

// Rows: 1 the initial balance, 2 a ticked debit of 40.00 in March, 3 a blank row with a
// mark, 4 a credit of 10.00 with a franc remainder, 5 the last blank row.
struct CommandWorld : TestWorld {
    KeptHistory history;
    CommandWorld() {
        session.create("Courant", 100, true);
        session.validateCell(2, col::Date, "01/03/2024");
        session.validateCell(2, col::Rubrique, "Alimentation");
        session.validateCell(2, col::Debit, "40");
        session.toggleMark(2);
        session.validateCell(3, col::Date, "15/03/2024");
        session.validateCell(3, col::Credit, "10");
        session.edits().setCell(3, col::Creder, "0.02");
        session.insertLineAfter(2);
        session.edits().setCell(3, col::Pointage, std::string(kTicked));
        session.setHistory(&history);
    }
};

TEST(RegisterCommand, RevertingEachEditRestoresTheRegisterItsBalancesAndSpending) {
    struct Case {
        const char* name;
        std::function<void(CommandWorld&)> edit;
    };
    const Case cases[] = {
        {"a debit typed", [](CommandWorld& w) { w.session.validateCell(2, col::Debit, "45,5"); }},
        {"a credit over a remainder",
         [](CommandWorld& w) { w.session.validateCell(4, col::Credit, "11"); }},
        {"a category typed",
         [](CommandWorld& w) { w.session.validateCell(2, col::Rubrique, "loisirs"); }},
        {"a date into another month",
         [](CommandWorld& w) { w.session.validateCell(2, col::Date, "1/4/2024"); }},
        {"the last row: dated, a row appended",
         [](CommandWorld& w) { w.session.validateCell(5, col::Debit, "7"); }},
        {"validation off",
         [](CommandWorld& w) {
             w.session.setValidating(false);
             w.session.validateCell(2, col::Debit, "3");
             w.session.setValidating(true);
         }},
        {"a transfer check's writes belong to the edit",
         [](CommandWorld& w) {
             static Linking links;
             w.session.setTransferLinks(&links);
             w.session.validateCell(2, col::ModePaiement, "Virement");
             w.session.setTransferLinks(nullptr);
         }},
        {"a rule's cell",
         [](CommandWorld& w) { w.session.edits().setCell(4, col::Credit, "12.00"); }},
        {"a rule's row inserted", [](CommandWorld& w) { w.session.edits().insertRow(2); }},
        {"a rule's row removed", [](CommandWorld& w) { w.session.edits().removeRow(4); }},
        {"a mark", [](CommandWorld& w) { w.session.toggleMark(4); }},
        {"a line appended", [](CommandWorld& w) { w.session.appendLine(); }},
        {"a line inserted", [](CommandWorld& w) { w.session.insertLineAfter(1); }},
        {"a line deleted",
         [](CommandWorld& w) {
             w.dialogs.yes();
             ASSERT_TRUE(w.session.deleteLine(2));
         }},
        {"blank lines cleaned up", [](CommandWorld& w) { w.session.cleanUpLines(); }},
        {"a paste growing the register",
         [](CommandWorld& w) { w.session.paste(4, col::Notes, "a\tb\nc\nd\t\t\t5"); }},
        {"cells cleared",
         [](CommandWorld& w) { w.session.clearCells(2, col::Date, 4, col::Credit); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandWorld w;
        const Grid grid = w.session.grid();
        const Balances balances = w.session.balances();
        const MonthlySpending spending = w.session.spending();

        c.edit(w);
        EXPECT_FALSE(w.session.grid() == grid);
        EXPECT_EQ(w.history.commands.size(), 1u);
        if (w.history.commands.size() != 1) {
            continue;
        }

        w.session.revert(w.history.commands.back());
        EXPECT_TRUE(w.session.grid() == grid);
        EXPECT_EQ(w.session.balances(), balances);
        EXPECT_TRUE(w.session.spending() == spending);
        for (int r = 1; r < grid.rowCount(); ++r) {
            EXPECT_EQ(w.session.grid().at(r, col::Solde), grid.at(r, col::Solde)) << r;
        }
    }
}

TEST(RegisterCommand, EditsRevertedLastFirstGiveBackTheStart) {
    CommandWorld w;
    const Grid grid = w.session.grid();
    const Balances balances = w.session.balances();
    w.session.validateCell(2, col::Debit, "45");
    w.dialogs.yes();
    w.session.deleteLine(4);
    w.session.paste(2, col::Rubrique, "Loyer\tloyer de mars");
    w.session.cleanUpLines();
    w.session.validateCell(2, col::Debit, "1000");
    ASSERT_EQ(w.history.commands.size(), 5u);

    CellsSeen seen;
    w.session.addObserver(&seen);
    w.session.revert(w.history.commands.back());
    // As the edit itself: that cell and the balances, no reset.
    EXPECT_EQ(seen.events,
              (std::vector<std::string>{"cells 2 " + std::to_string(col::Debit), "balances 2"}));
    for (int i = 3; i >= 0; --i) {
        w.session.revert(w.history.commands[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(w.session.grid() == grid);
    EXPECT_EQ(w.session.balances(), balances);
}

TEST(RegisterCommand, WhatIsNotAnEditLeavesNothingToRevert) {
    CommandWorld w;
    w.session.validateCell(2, col::Debit, "40.00"); // the same amount
    w.session.insertLineAfter(5);                   // refused on the last row
    EXPECT_TRUE(w.history.commands.empty());

    w.session.validateCell(2, col::Debit, "41");
    w.session.switchToFrancs();
    EXPECT_TRUE(w.history.commands.empty());
    w.session.validateCell(2, col::Debit, "41");
    ASSERT_TRUE(w.session.save());
    ASSERT_TRUE(w.session.load("Courant"));
    w.session.registerRewritten();
    w.session.close();
    EXPECT_EQ(w.history.forgotten, 4);
}

} // namespace
} // namespace ledgora
