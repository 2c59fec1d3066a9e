#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWorld.h"
#include "register/RegisterChanges.h"
#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

using testing::TestWorld;

// Writes down every event as one short line.
class Recorder : public RegisterObserver {
public:
    std::vector<std::string> events;

    void cellsChanged(int row, int first, int last) override {
        events.push_back("cells " + std::to_string(row) + " " + std::to_string(first) + "-" +
                         std::to_string(last));
    }
    void rowsInserted(int first, int count) override {
        events.push_back("inserted " + std::to_string(first) + " " + std::to_string(count));
    }
    void rowsRemoved(int first, int count) override {
        events.push_back("removed " + std::to_string(first) + " " + std::to_string(count));
    }
    void registerReplaced() override { events.push_back("replaced"); }
    void balancesChanged(int fromRow) override {
        events.push_back("balances " + std::to_string(fromRow));
    }
    void currencyChanged() override { events.push_back("currency"); }
    void accountOpened() override { events.push_back("opened"); }
    void accountClosed() override { events.push_back("closed"); }
};

using Events = std::vector<std::string>;

std::string cells(int row, int first, int last) {
    return "cells " + std::to_string(row) + " " + std::to_string(first) + "-" +
           std::to_string(last);
}

// A created account with a dated debit on row 2 and a blank row 3, then a recorder.
struct EventsWorld : TestWorld {
    Recorder recorder;
    EventsWorld() {
        session.create("Courant", 100, true);
        session.validateCell(2, col::Date, "01/03/2024");
        session.validateCell(2, col::Debit, "40");
        session.addObserver(&recorder);
    }
};

TEST(RegisterEvents, AOneCellEditTellsThatCellAndTheBalancesOnly) {
    EventsWorld w;
    w.session.validateCell(2, col::Debit, "45,5");
    EXPECT_EQ(w.recorder.events, (Events{cells(2, col::Debit, col::Debit), "balances 2"}));
}

TEST(RegisterEvents, EachEditTellsWhatItChanged) {
    struct Case {
        const char* name;
        void (*edit)(AccountSession&);
        Events expected;
    };
    const Case cases[] = {
        {"notes: no balance",
         [](AccountSession& s) { s.validateCell(2, col::Notes, "Pain"); },
         {cells(2, col::Notes, col::Notes)}},
        {"the same amount again: nothing",
         [](AccountSession& s) { s.validateCell(2, col::Debit, "40.00"); },
         {}},
        {"an undated row gets today's date, the last row a new one below",
         [](AccountSession& s) { s.validateCell(3, col::Credit, "10"); },
         {"inserted 4 1", cells(3, col::Date, col::Date), cells(3, col::Credit, col::Credit),
          "balances 3"}},
        {"a mark",
         [](AccountSession& s) { s.toggleMark(2); },
         {cells(2, col::Pointage, col::Pointage), "balances 2"}},
        {"append", [](AccountSession& s) { s.appendLine(); }, {"inserted 4 1"}},
        {"insert after row 1",
         [](AccountSession& s) { s.insertLineAfter(1); },
         {"inserted 2 1", "balances 2"}},
        {"delete row 2 (confirmed)",
         [](AccountSession& s) { s.deleteLine(2); },
         {"removed 2 1", "balances 2"}},
        {"clean-up", [](AccountSession& s) { s.cleanUpLines(); }, {"replaced", "balances 1"}},
        {"clear one cell",
         [](AccountSession& s) { s.clearCells(2, col::Debit, 2, col::Debit); },
         {cells(2, col::Debit, col::Debit), "balances 2"}},
        {"paste within the rows",
         [](AccountSession& s) { s.paste(2, col::Notes, "Pain\tCourses"); },
         {cells(2, col::Notes, col::ModePaiement), "balances 2"}},
        {"paste growing the register",
         [](AccountSession& s) { s.paste(3, col::Notes, "a\nb\nc"); },
         {"inserted 4 3", cells(3, col::Date, col::Date), cells(3, col::Notes, col::Notes),
          "balances 3"}},
        {"currency", [](AccountSession& s) { s.switchToFrancs(); }, {"balances 1", "currency"}},
        {"close", [](AccountSession& s) { s.close(); }, {"closed"}},
        {"create",
         [](AccountSession& s) { s.create("Autre", 5, true); },
         {"replaced", "balances 1", "opened"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventsWorld w;
        w.recorder.events.clear();
        w.dialogs.yes();
        c.edit(w.session);
        EXPECT_EQ(w.recorder.events, c.expected);
    }
}

// A transfer check that links the edited row and corrects the initial balance: what it
// changes goes through the session, so the balances are right and told in the same
// announcement as the user's edit. A linked row's removal asks for its twin first.
TEST(RegisterEvents, WhatATransferCheckChangesIsToldWithTheEdit) {
    struct Linking : TransferLinks {
        std::vector<int> removed;
        bool isLinked(const Grid& reg, int row) const override {
            return reg.at(row, col::Numero) == "vir1";
        }
        void afterEdit(RegisterEdits& edits, int row) override {
            edits.setCell(row, col::Numero, "vir1");
            edits.setCell(1, col::Credit, "150.00");
        }
        void beforeRemove(const Grid& reg, int row) override {
            removed.push_back(row);
            EXPECT_EQ(reg.at(row, col::Numero), "vir1"); // still there
        }
    };
    EventsWorld w;
    Linking links;
    w.session.setTransferLinks(&links);
    w.recorder.events.clear();
    w.session.validateCell(2, col::ModePaiement, "Virement");
    EXPECT_EQ(w.recorder.events,
              (Events{cells(1, col::Credit, col::Credit), cells(2, col::Numero, col::Numero),
                      cells(2, col::ModePaiement, col::ModePaiement), "balances 1"}));
    EXPECT_EQ(w.session.grid().at(1, col::Solde), "150.00");
    EXPECT_EQ(w.session.grid().at(2, col::Solde), "110.00");
    EXPECT_EQ(w.session.balances().balance, centsOf(110.0));

    w.dialogs.yes();
    ASSERT_TRUE(w.session.deleteLine(2));
    EXPECT_EQ(links.removed, std::vector<int>{2});
    EXPECT_EQ(w.session.balances().balance, centsOf(150.0));
}

TEST(RegisterEvents, LoadTellsANewRegisterAndARemovedObserverHearsNothing) {
    EventsWorld w;
    ASSERT_TRUE(w.session.save());
    w.session.close();
    w.recorder.events.clear();
    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(w.recorder.events, (Events{"replaced", "balances 1", "opened"}));

    w.session.removeObserver(&w.recorder);
    w.session.validateCell(2, col::Debit, "1");
    EXPECT_EQ(w.recorder.events.size(), 3u);
}

TEST(RegisterChanges, RenumberingNotedCellsMakesANewRegister) {
    struct Case {
        const char* name;
        void (*steps)(RegisterChanges&);
        Events expected;
    };
    const Case cases[] = {
        {"a cell above an insertion stays",
         [](RegisterChanges& c) {
             c.cell(2, 3);
             c.rowsInserted(5, 1);
         },
         {"inserted 5 1", cells(2, 3, 3)}},
        {"a cell below an insertion would move",
         [](RegisterChanges& c) {
             c.cell(6, 3);
             c.rowsInserted(5, 1);
         },
         {"replaced"}},
        {"two removals",
         [](RegisterChanges& c) {
             c.rowsRemoved(2, 1);
             c.rowsRemoved(4, 1);
         },
         {"replaced"}},
        {"a cell of an inserted row is read with it",
         [](RegisterChanges& c) {
             c.rowsInserted(5, 2);
             c.cell(6, 1);
             c.balances(5);
             c.balances(3);
         },
         {"inserted 5 2", "balances 3"}},
        {"columns apart are told apart",
         [](RegisterChanges& c) {
             c.cell(2, 1);
             c.cell(2, 3);
             c.cell(2, 4);
         },
         {cells(2, 1, 1), cells(2, 3, 4)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegisterChanges changes;
        Recorder recorder;
        c.steps(changes);
        changes.announce({&recorder});
        EXPECT_EQ(recorder.events, c.expected);
        EXPECT_TRUE(changes.empty());
    }
}

// An observer that leaves while it is told does not disturb the others.
TEST(RegisterEvents, AnObserverMayLeaveWhileItIsTold) {
    EventsWorld w;
    struct Leaver : RegisterObserver {
        AccountSession* session = nullptr;
        int told = 0;
        void cellsChanged(int, int, int) override {
            ++told;
            session->removeObserver(this);
        }
    } leaver;
    leaver.session = &w.session;
    w.session.removeObserver(&w.recorder);
    w.session.addObserver(&leaver);
    w.session.addObserver(&w.recorder);
    w.session.validateCell(2, col::Notes, "x");
    w.session.validateCell(2, col::Notes, "y");
    EXPECT_EQ(leaver.told, 1);
    EXPECT_EQ(w.recorder.events.size(), 2u);
}

} // namespace
} // namespace ledgora
