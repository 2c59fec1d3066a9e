// The planning as a part of the open account: read, written after the register and
// converted with it; reset for a new or closed account; an unreadable file never written
// over.
#include <gtest/gtest.h>

#include <filesystem>

#include "planning/PlanningPart.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/TestWorld.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;

struct PlanningWorld : testing::TestWorld {
    PlanningPart planning{paths, dialogs};
    PlanningWorld() { session.addPart(&planning); }
};

TEST(PlanningPart, TravelsWithTheAccount) {
    PlanningWorld w;
    ASSERT_TRUE(w.session.create("Courant", 0, true));
    EXPECT_TRUE(fs::exists(w.paths.planningFile("Anne", "Courant")));
    Grid& planning = w.planning.grid();
    planning.setRowCount(4);
    planning.set(1, 1, "5");
    planning.set(1, 2, "Loyer");
    planning.set(1, 5, "650.00");
    planning.set(1, 9, "X");
    planning.set(3, 1, "10");
    planning.set(3, 6, "2100.00");
    ASSERT_TRUE(w.session.save());
    ASSERT_TRUE(w.session.create("Autre", 0, true));
    EXPECT_EQ(w.planning.grid().rowCount(), 2);

    ASSERT_TRUE(w.session.load("Courant"));
    const Grid& back = w.planning.grid();
    ASSERT_EQ(back.rowCount(), 4); // blank row 2 removed, one blank appended
    EXPECT_EQ(back.at(1, 9), "X");
    EXPECT_EQ(back.at(2, 6), "2100.00");
    EXPECT_EQ(back.at(3, 0), "3");
    EXPECT_EQ(back.at(0, 1), "Jour du mois");

    // An account without a planning file, then none open: a fresh planning each time.
    fs::remove(w.paths.planningFile("Anne", "Autre"));
    ASSERT_TRUE(w.session.load("Autre"));
    EXPECT_EQ(w.planning.grid(), makePlanningGrid());
    ASSERT_TRUE(w.session.load("Courant"));
    w.session.close();
    EXPECT_EQ(w.planning.grid(), makePlanningGrid());
}

TEST(PlanningPart, AnUnreadablePlanningIsNeverWrittenOver) {
    PlanningWorld w;
    ASSERT_TRUE(w.session.create("Courant", 0, true));
    const fs::path pla = w.paths.planningFile("Anne", "Courant");
    ASSERT_TRUE(platform::writeFileAtomically(pla, "damaged"));
    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(w.dialogs.texts().back(), "File contains no data or corrupt file " + pla.string());
    EXPECT_FALSE(w.planning.writable());
    ASSERT_TRUE(w.session.save());
    EXPECT_EQ(platform::readFile(pla).value(), "damaged");
    // A new account starts writable again.
    ASSERT_TRUE(w.session.create("Autre", 0, true));
    EXPECT_TRUE(w.planning.writable());
}

TEST(PlanningPart, IsConvertedWithTheAccountAndKeepsItsRemainders) {
    PlanningWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, false));
    w.planning.grid().set(1, planning_col::Debit, "100.00");
    w.planning.grid().set(1, planning_col::Rubrique, "Loyer");

    w.session.switchToEuros();
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Debit), "15.24");
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Deber), "0.03");
    ASSERT_TRUE(w.session.save());
    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Deber), "0.03");

    w.session.switchToFrancs();
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Debit), "100.00");
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Deber), "");
    EXPECT_EQ(w.planning.grid().at(1, planning_col::Rubrique), "Loyer");
}

// A part refusing its save stops the parts after it; the register is written already.
TEST(PlanningPart, AFailedPartSaveStopsTheSaveAndSaysSo) {
    struct Refusing : AccountPart {
        platform::Dialogs& dialogs;
        explicit Refusing(platform::Dialogs& d) : dialogs(d) {}
        bool save(const AccountRef& account) override {
            dialogs.fail("Cannot Create " + account.account);
            return false;
        }
    };
    struct Counting : AccountPart {
        int saves = 0;
        bool save(const AccountRef&) override { return ++saves > 0; }
    };
    testing::TestWorld w;
    Refusing refusing(w.dialogs);
    Counting after;
    w.session.addPart(&refusing);
    w.session.addPart(&after);
    EXPECT_FALSE(w.session.create("Courant", 0, true));
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Cannot Create Courant"});
    EXPECT_EQ(after.saves, 0);
    EXPECT_TRUE(fs::exists(w.paths.accountFile("Anne", "Courant")));

    // The planning file that cannot be written stops the save before the settings.
    PlanningWorld p;
    ASSERT_TRUE(p.session.create("Courant", 0, true));
    const fs::path pla = p.paths.planningFile("Anne", "Courant");
    fs::remove(pla);
    fs::create_directory(pla);
    p.session.switchToFrancs();
    p.dialogs.clear();
    EXPECT_FALSE(p.session.save());
    EXPECT_EQ(p.dialogs.texts(), std::vector<std::string>{"Cannot Create " + pla.string()});
    EXPECT_EQ(p.registry.readString(platform::Hive::CurrentUser,
                                    platform::settings::accountKey("Anne", "Courant"), "Euro"),
              "1");
}

} // namespace
} // namespace ledgora
