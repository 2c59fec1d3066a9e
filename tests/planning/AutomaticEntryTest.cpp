// Automatic entry after an account is opened: which planned rows are proposed on which
// day, the marks and when they go stale, the question's text, what Yes enters, and the
// twins of planned transfers.
#include <gtest/gtest.h>

#include "TransferWorld.h"
#include "planning/AutomaticEntry.h"
#include "planning/PlanningSheet.h"
#include "platform/FileIO.h"

namespace ledgora {
namespace {

using platform::Hive;
using testing::TransferWorld;
namespace settings = platform::settings;

struct EntryWorld : TransferWorld {
    Grid planning{2, planning_col::Count};
    AutomaticEntry entry{registry, clock, dialogs, transfers};

    explicit EntryWorld(bool withLivret = true) : TransferWorld(false, withLivret) {}

    void plan(const std::vector<std::vector<std::string>>& rows) {
        planning.setRowCount(static_cast<int>(rows.size()) + 2);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (std::size_t c = 0; c < rows[i].size(); ++c) {
                planning.set(static_cast<int>(i) + 1, static_cast<int>(c) + 1, rows[i][c]);
            }
        }
    }
    void lastSaved(int month, std::optional<int> year = std::nullopt) {
        const std::string key = settings::accountKey("Anne", "Courant");
        registry.writeInteger(Hive::CurrentUser, key, settings::kLastMonth, month);
        if (year) {
            registry.writeInteger(Hive::CurrentUser, key, settings::kLastYear, *year);
        } else {
            registry.eraseValue(Hive::CurrentUser, key, settings::kLastYear);
        }
    }
    // Opens on that day, answering Yes to everything; the questions asked.
    std::vector<std::string> openOn(int year, int month, int day) {
        clock.set({year, month, day, 9, 0, 0});
        dialogs.clear();
        for (int i = 0; i < 20; ++i) {
            dialogs.yes();
        }
        entry.run("Anne", "Courant", planning, edits);
        const auto texts = dialogs.texts();
        dialogs.clear();
        lastSaved(month, year); // the save that follows
        return texts;
    }
    std::vector<std::string> entered(int column) const {
        std::vector<std::string> cells;
        const Grid& reg = session.grid();
        for (int r = 2; r < reg.rowCount() - 1; ++r) {
            cells.push_back(reg.at(r, column));
        }
        return cells;
    }
};

std::string question(int today, const std::string& values) {
    return "Nous sommes le " + std::to_string(today) +
           " du mois. Confirmez-vous la saisie automatique de l'opération mensuelle planifiée \"" +
           values + "\" ?";
}

TEST(AutomaticEntry, RowsComeDueFromTheirDayOncePerMonth) {
    EntryWorld w;
    w.plan({{"1", "Loyer", "", "Chèque", "500.00"},
            {"15", "Salaire", "", "Virement", "", "2000.00"},
            {"20", "Gaz", "", "Prélèvement", "40.00"}});
    w.lastSaved(3, 2024);
    EXPECT_EQ(w.openOn(2024, 3, 15),
              (std::vector<std::string>{question(15, "Loyer  Chèque 500.00 "),
                                        question(15, "Salaire  Virement  2000.00")}));
    EXPECT_EQ(w.entered(col::Date), (std::vector<std::string>{"01/03/2024", "15/03/2024"}));
    EXPECT_EQ(w.entered(col::Debit), (std::vector<std::string>{"500.00", ""}));
    EXPECT_EQ(w.entered(col::Credit), (std::vector<std::string>{"", "2000.00"}));
    EXPECT_EQ(w.entered(col::Rubrique), (std::vector<std::string>{"Loyer", "Salaire"}));
    EXPECT_EQ(w.planning.at(1, planning_col::Entered), "X");
    EXPECT_EQ(w.planning.at(3, planning_col::Entered), "");

    EXPECT_TRUE(w.openOn(2024, 3, 16).empty());
    EXPECT_EQ(w.openOn(2024, 3, 20),
              std::vector<std::string>{question(20, "Gaz  Prélèvement 40.00 ")});
    EXPECT_EQ(w.entered(col::Date).size(), 3u);
    const Grid& reg = w.session.grid();
    EXPECT_TRUE(isBlankRow(reg, reg.rowCount() - 1));
    EXPECT_EQ(reg.at(reg.rowCount() - 1, 0), std::to_string(reg.rowCount() - 1));
}

TEST(AutomaticEntry, MarksGoStaleInAnotherMonthOrYear) {
    struct Case {
        const char* name;
        int month;
        std::optional<int> year;
        bool proposed;
    };
    for (const Case& c :
         {Case{"same month and year", 3, 2024, false}, Case{"an earlier month", 2, 2024, true},
          Case{"never saved", 0, std::nullopt, true},
          Case{"same month a year before", 3, 2023, true},
          Case{"an older version's file: the month alone", 3, std::nullopt, false}}) {
        EntryWorld w;
        w.plan({{"1", "Loyer", "", "", "500.00"}});
        w.planning.set(1, planning_col::Entered, "X");
        w.lastSaved(c.month, c.year);
        EXPECT_EQ(w.openOn(2024, 3, 5).size(), c.proposed ? 1u : 0u) << c.name;
        EXPECT_EQ(w.planning.at(1, planning_col::Entered), "X") << c.name;
    }
}

TEST(AutomaticEntry, TheMarksAreSavedInThePlanningFileAndRestored) {
    EntryWorld w;
    Grid& planning = w.planningPart.grid();
    planning.setRowCount(4);
    planning.set(1, planning_col::Day, "1");
    planning.set(1, planning_col::Rubrique, "Loyer");
    planning.set(2, planning_col::Day, "2");
    planning.set(2, planning_col::Rubrique, "Gaz");
    AutomaticEntry entry{w.registry, w.clock, w.dialogs, w.transfers};
    w.dialogs.no().yes();
    entry.run("Anne", "Courant", planning, w.edits);
    ASSERT_TRUE(w.session.save());
    const auto bytes = platform::readFile(w.paths.planningFile("Anne", "Courant"));
    ASSERT_TRUE(bytes);
    EXPECT_NE(bytes->find("9,1,X\r\n"), std::string::npos);
    EXPECT_NE(bytes->find("9,2,X\r\n"), std::string::npos);

    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(w.planningPart.grid().at(1, planning_col::Entered), "X");
    EXPECT_EQ(w.planningPart.grid().at(2, planning_col::Entered), "X");
    EXPECT_TRUE(entry.dueToday("Anne", "Courant", w.planningPart.grid()).empty());
}

TEST(AutomaticEntry, NoStillMarksAndADayAloneIsNeverProposed) {
    EntryWorld w;
    w.plan({{"2", "Loyer", "", "", "500.00"}, {"3"}, {"", "Gaz", "", "", "1.00"}, {"abc", "X"}});
    w.lastSaved(3, 2024);
    w.clock.set({2024, 3, 10, 9, 0, 0});
    w.dialogs.no();
    EXPECT_EQ(w.entry.dueToday("Anne", "Courant", w.planning), std::vector<int>{1});
    EXPECT_EQ(w.entry.run("Anne", "Courant", w.planning, w.edits), 0);
    EXPECT_EQ(w.dialogs.texts().size(), 1u);
    EXPECT_EQ(w.dialogs.shown()[0].kind, platform::MessageKind::Information);
    EXPECT_EQ(w.dialogs.shown()[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(w.planning.at(1, planning_col::Entered), "X");
    EXPECT_EQ(w.planning.at(2, planning_col::Entered), "");
    EXPECT_TRUE(w.entered(col::Date).empty());
}

TEST(AutomaticEntry, DueRowsAreListedWithoutChangingAnything) {
    EntryWorld w;
    w.plan({{"1", "Loyer", "", "", "500.00"}, {"9", "", "", "", "", "3.00"}});
    w.planning.set(1, planning_col::Entered, "X");
    w.lastSaved(2, 2024);
    w.clock.set({2024, 3, 31, 9, 0, 0});
    const Grid before = w.planning;
    EXPECT_EQ(w.entry.dueToday("Anne", "Courant", w.planning), (std::vector<int>{1, 2}));
    EXPECT_EQ(entryQuestion(w.planning, 1, 31), question(31, "Loyer   500.00 "));
    EXPECT_EQ(entryQuestion(w.planning, 2, 31), question(31, "    3.00"));
    EXPECT_EQ(w.planning, before);
    EXPECT_TRUE(w.dialogs.shown().empty());
}

TEST(AutomaticEntry, APlannedTransferCreatesItsTwin) {
    EntryWorld w;
    w.plan({{"5", "Épargne", "Livret", "Virement mensuel", "100.00"}});
    w.lastSaved(2, 2024);
    EXPECT_EQ(w.openOn(2024, 3, 5),
              (std::vector<std::string>{question(5, "Épargne Livret Virement mensuel 100.00 "),
                                        "Virement effectué !"}));
    EXPECT_EQ(w.entered(col::Numero), std::vector<std::string>{"vir1"});
    EXPECT_EQ(w.counter("Livret"), "1");
    const Grid b = w.livret();
    bool found = false;
    for (int r = 1; r < b.rowCount(); ++r) {
        if (b.at(r, col::Notes) == "Courant" && b.at(r, col::Numero) == "vir1") {
            found = true;
            EXPECT_EQ(b.at(r, col::Credit), "655.96");
            EXPECT_EQ(b.at(r, col::Date), "05/03/2024");
        }
    }
    EXPECT_TRUE(found);
}

TEST(AutomaticEntry, WithoutAnotherAccountATransferIsEnteredSilently) {
    for (bool withLivret : {false, true}) {
        EntryWorld w(withLivret);
        // With the other account there, notes naming none still enter a plain operation.
        w.plan({{"5", "", withLivret ? "Ailleurs" : "Livret", "Virement", "100.00"}});
        w.lastSaved(2, 2024);
        EXPECT_EQ(w.openOn(2024, 3, 5).size(), 1u) << withLivret;
        EXPECT_EQ(w.entered(col::Numero), std::vector<std::string>{""});
        EXPECT_EQ(w.counter("Courant"), "<absent>");
    }
}

} // namespace
} // namespace ledgora
