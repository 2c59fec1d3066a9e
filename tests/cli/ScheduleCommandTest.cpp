// "ledgora-cli schedule": automatic entry without the window, as opening the account on
// the given date would run it; --list changes nothing, --yes enters and saves.
#include <gtest/gtest.h>

#include <sstream>

#include "../handheld/HotSyncWorld.h"
#include "cli/Commands.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsKeys.h"
#include "register/AccountSession.h"
#include "register/GridTextFormat.h"
#include "register/PasswordCode.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using ledgora::Grid;
using platform::Hive;
namespace col = ledgora::col;
namespace settings = platform::settings;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class ScheduleCommand : public ::testing::Test {
protected:
    ScheduleCommand() {
        fs::create_directories(paths.userFolder("Anne"));
        session.setUser("Anne");
        EXPECT_TRUE(session.create("Livret", 1000, false));
        EXPECT_TRUE(session.create("Courant", 100, true));
        // Day, category, notes, mode, debit, credit.
        const std::vector<std::vector<std::string>> planned = {
            {"1", "Loyer", "", "Chèque", "500.00", ""},
            {"5", "Épargne", "Livret", "Virement", "100.00", ""},
            {"20", "Gaz", "", "Prélèvement", "40.00", ""}};
        Grid planning(static_cast<int>(planned.size()) + 2, 10);
        for (std::size_t r = 0; r < planned.size(); ++r) {
            for (std::size_t c = 0; c < planned[r].size(); ++c) {
                planning.set(static_cast<int>(r) + 1, static_cast<int>(c) + 1, planned[r][c]);
            }
        }
        ledgora::renumberRows(planning);
        EXPECT_FALSE(ledgora::saveGridFile(planning, paths.planningFile("Anne", "Courant")));
    }

    Outcome run(const Args& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runSchedule(args, out, err);
        return {status, out.str(), err.str()};
    }
    std::string value(const std::string& account, std::string_view name) const {
        return registry.readString(Hive::CurrentUser, settings::accountKey("Anne", account), name,
                                   "<absent>");
    }
    std::string bytes(const std::string& account) const {
        return platform::readFile(paths.accountFile("Anne", account)).value_or("<none>");
    }

    ledgora::testing::TemporaryHome home;
    platform::Paths paths = platform::Paths::fromEnvironment({});
    platform::Registry registry{paths.registryFolder()};
    platform::FixedClock clock{platform::DateTime{2024, 3, 25, 10, 0, 0}};
    platform::ScriptedDialogs dialogs;
    platform::RecordingSounds sounds;
    ledgora::NameList categories = ledgora::NameList::builtInCategories();
    ledgora::NameList modes = ledgora::NameList::builtInPaymentModes();
    ledgora::AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};
};

TEST_F(ScheduleCommand, ListThenEnterEverythingDue) {
    const std::string courant = bytes("Courant");
    const std::string planning = *platform::readFile(paths.planningFile("Anne", "Courant"));
    const Outcome listed = run({"anne", "courant", "--date", "15/04/2024", "--list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "\"Loyer  Chèque 500.00 \"\n\"Épargne Livret Virement 100.00 \"\n");
    EXPECT_EQ(bytes("Courant"), courant);
    EXPECT_EQ(*platform::readFile(paths.planningFile("Anne", "Courant")), planning);

    const Outcome entered = run({"Anne", "Courant", "--yes", "--date", "15/04/2024"});
    EXPECT_EQ(entered.status, 0) << entered.err;
    EXPECT_NE(entered.out.find("Virement effectué !\n"), std::string::npos) << entered.out;
    Grid reg;
    ASSERT_FALSE(ledgora::readAccountFile(paths.accountFile("Anne", "Courant"), reg));
    ASSERT_EQ(reg.rowCount(), 5); // initial balance, two entries, the blank row
    EXPECT_EQ(reg.at(2, col::Date), "01/04/2024");
    EXPECT_EQ(reg.at(2, col::Debit), "500.00");
    EXPECT_EQ(reg.at(3, col::Date), "05/04/2024");
    EXPECT_EQ(reg.at(3, col::Numero), "vir1");
    EXPECT_EQ(value("Courant", settings::kLastMonth), "4");
    EXPECT_EQ(value("Courant", settings::kLastYear), "2024");
    EXPECT_EQ(value("Livret", settings::kLastNumVir), "1");
    EXPECT_NE(bytes("Livret").find("vir1"), std::string::npos);

    // Proposed once this month; the 20th's row comes due on its day.
    EXPECT_EQ(run({"Anne", "Courant", "--date", "16/04/2024", "--list"}).out, "");
    EXPECT_EQ(run({"Anne", "Courant", "--date", "20/04/2024", "--list"}).out,
              "\"Gaz  Prélèvement 40.00 \"\n");
    // The same month a year later: everything again.
    EXPECT_EQ(run({"Anne", "Courant", "--date", "02/04/2025", "--list"}).out,
              "\"Loyer  Chèque 500.00 \"\n");
}

TEST_F(ScheduleCommand, APasswordIsAskedForOnTheCommandLine) {
    registry.writeString(Hive::CurrentUser, settings::userKey("Anne"), settings::kPassword,
                         ledgora::encodePassword("sésame"));
    const std::string before = bytes("Courant");
    for (const Args& args : {Args{"Anne", "Courant", "--yes"},
                             Args{"Anne", "Courant", "--password", "faux", "--yes"}}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err, "");
        EXPECT_EQ(o.out, "");
    }
    EXPECT_EQ(bytes("Courant"), before);
    EXPECT_EQ(
        run({"Anne", "Courant", "--password", "sésame", "--date", "01/03/2024", "--list"}).status,
        0);
}

TEST_F(ScheduleCommand, RefusesWhatItCannotRead) {
    struct Case {
        Args args;
        int status;
    };
    for (const Case& c :
         {Case{{"Anne", "Courant"}, 2}, Case{{"Anne", "Courant", "--list", "--yes"}, 2},
          Case{{"Anne", "Courant", "--date", "31/02/2024", "--list"}, 2},
          Case{{"Anne", "Courant", "--date"}, 2}, Case{{"Paul", "Courant", "--list"}, 1},
          Case{{"Anne", "Joint", "--list"}, 1}}) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, c.status) << o.err;
        EXPECT_NE(o.err, "");
    }
}

} // namespace
} // namespace cli
