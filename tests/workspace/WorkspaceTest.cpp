// The workspace: its start-up, its menu state and its settings save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "planning/BudgetTable.h"
#include "planning/PlanningColumns.h"
#include "planning/PlanningSheet.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterLook.h"
#include "support/Installation.h"
#include "workspace/Workspace.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
using testing::Installation;
namespace settings = platform::settings;

TEST(Workspace, SettingsAreRewrittenInOrderAndReadBack) {
    Installation i;
    i.addUser("Anne", "");
    i.ws.options().bw = true;
    i.ws.categories().add("Zoo");
    ASSERT_TRUE(i.ws.saveSettings({10, 20, 800, 600, false}));
    EXPECT_EQ(i.registry.valueNames(Hive::CurrentUser, settings::optionsKey()),
              (std::vector<std::string>{"NewSoldeInEuro", "ChooseIndex", "ChooseUserIndex",
                                        "CheminExport", "ExportFilterIndex", "BW", "Sons",
                                        "RecapInEuro", "MinutesAutoSave", "ActiveAutoSave",
                                        "NoBackupPrompt", "CheminBackup"}));
    EXPECT_EQ(i.registry.valueNames(Hive::CurrentUser, settings::mainWindowKey()),
              (std::vector<std::string>{"x", "y", "w", "h", "Maxi"}));

    Workspace again(i.registry, i.paths, i.clock, i.dialogs, i.dialogs, i.sounds);
    again.start();
    EXPECT_TRUE(again.options().bw);
    EXPECT_EQ(again.placement().width, 800);
    EXPECT_FALSE(again.placement().maximised);
    EXPECT_TRUE(again.categories().contains("Zoo"));
}

TEST(Workspace, TheHandheldUserChoiceOutlivesSettingsSaves) {
    // As the handheld exchange leaves it: absent until a first choice, then whatever the
    // choice wrote, even text that is not a number.
    for (const char* stored : {"", "1", "deux"}) {
        SCOPED_TRACE(stored);
        Installation i;
        const std::string k = settings::optionsKey();
        if (*stored != '\0') {
            i.registry.writeString(Hive::CurrentUser, k, settings::kPalmUser, stored);
        }
        ASSERT_TRUE(i.ws.saveSettings({}));
        ASSERT_TRUE(i.ws.saveSettings({}));
        const auto names = i.registry.valueNames(Hive::CurrentUser, k);
        const bool kept = std::find(names.begin(), names.end(), "PalmUser") != names.end();
        EXPECT_EQ(kept, *stored != '\0');
        EXPECT_EQ(i.registry.readString(Hive::CurrentUser, k, settings::kPalmUser), stored);
        EXPECT_EQ(names.back(), "CheminBackup"); // the other options keep their order
    }
}

// Closing saves the settings, then the account: its register first, then its parts (the
// planning's file, the statement balance and "LastYear" among the account's values).
TEST(Workspace, CloseSavesTheAccountThenItsParts) {
    Installation i;
    i.addUser("Anne", "");
    ASSERT_TRUE(i.ws.session().isOpen());
    i.ws.session().validateCell(2, col::Debit, "12,50");
    i.ws.planning().grid().set(1, planning_col::Rubrique, "Loyer");
    i.ws.bankBalance().set({42.0, 0.0});
    ASSERT_TRUE(i.ws.queryClose({}));
    const std::string key = settings::accountKey("Anne", "Courant");
    EXPECT_EQ(
        i.registry.valueNames(Hive::CurrentUser, key),
        (std::vector<std::string>{"Euro", "BankSolde", "BankSoldeEcart", "LastMonth", "LastYear"}));
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, key, settings::kBankSolde), "42.00");
    EXPECT_EQ(i.registry.readInteger(Hive::CurrentUser, key, settings::kLastYear, 0), 2024);

    Workspace next(i.registry, i.paths, i.clock, i.dialogs, i.dialogs, i.sounds);
    next.start();
    next.session().setUser("Anne");
    EXPECT_FALSE(next.budgets().hasAccount());
    ASSERT_TRUE(next.session().load("Courant"));
    EXPECT_EQ(next.session().grid().at(2, col::Debit), "12.50");
    EXPECT_EQ(next.planning().grid().at(1, planning_col::Rubrique), "Loyer");
    EXPECT_DOUBLE_EQ(next.bankBalance().balance(), 42.0);
    EXPECT_TRUE(next.budgets().hasAccount());

    // A planning that cannot be written: the register was written before it, the
    // settings that come after it were not, and the program stays open.
    const fs::path pla = i.paths.planningFile("Anne", "Courant");
    fs::remove(pla);
    fs::create_directory(pla);
    next.session().switchToFrancs();
    i.dialogs.clear();
    EXPECT_FALSE(next.queryClose({}));
    EXPECT_EQ(i.dialogs.texts(), std::vector<std::string>{"Cannot Create " + pla.string()});
    EXPECT_NE(platform::readFile(i.paths.accountFile("Anne", "Courant"))->find("81.99"),
              std::string::npos); // 12.50 euros in francs
    EXPECT_EQ(i.registry.readString(Hive::CurrentUser, key, settings::kEuro), "1");
}

// The session consults the workspace's budget maxima: an edit past one warns once, and
// the category is painted over budget.
TEST(Workspace, TheRegisterAsksTheWorkspacesBudgets) {
    Installation i;
    i.addUser("Anne", "");
    ASSERT_TRUE(i.ws.budgets().replaceAll({{"Courses", "100.00", ""}}));
    AccountSession& s = i.ws.session();
    s.validateCell(2, col::Rubrique, "Courses");
    i.dialogs.clear();
    s.validateCell(2, col::Debit, "99,99");
    EXPECT_TRUE(i.dialogs.texts().empty());
    const RegisterLook look(s.budgetLimits(), &s.spending());
    EXPECT_FALSE(look.cell(s.grid(), 2, col::Rubrique).bold);
    s.validateCell(2, col::Debit, "100,01");
    ASSERT_EQ(i.dialogs.texts().size(), 1u);
    EXPECT_NE(i.dialogs.texts()[0].find("vous en êtes à 100.01 Euros"), std::string::npos);
    EXPECT_TRUE(look.cell(s.grid(), 2, col::Rubrique).bold);
    EXPECT_EQ(s.budgetLimits().monthlyMaximum("courses"), 10'000);
    s.close();
    EXPECT_EQ(s.budgetLimits().monthlyMaximum("Courses"), 0);
}

TEST(Workspace, AFirstStartHasDefaults) {
    Installation i;
    EXPECT_TRUE(i.registry.keyExists(Hive::CurrentUser, settings::usersKey()));
    EXPECT_TRUE(i.ws.placement().maximised);
    EXPECT_EQ(i.ws.options().minutesAutoSave, 10);
    EXPECT_FALSE(i.ws.options().activeAutoSave);
    EXPECT_EQ(i.ws.modes().size(), 5);
    const MenuState m = i.ws.menuState(true);
    EXPECT_FALSE(m.chooseUser);
    EXPECT_FALSE(m.newAccount);
    EXPECT_FALSE(m.accountOpen);
}

TEST(Workspace, SettingsTroubleIsToldOnce) {
    Installation i;
    i.addUser("Anne", "secret");
    // Another tool left the hive in a shape that cannot be read.
    ASSERT_TRUE(platform::writeFileAtomically(i.registry.hiveFile(Hive::CurrentUser), "\x01junk"));
    i.dialogs.clear();
    platform::Registry registry(i.paths.registryFolder());
    Workspace next(registry, i.paths, i.clock, i.dialogs, i.dialogs, i.sounds);
    next.start();
    ASSERT_EQ(i.dialogs.shown().size(), 1u);
    EXPECT_EQ(i.dialogs.shown()[0].kind, platform::MessageKind::Warning);
    EXPECT_NE(i.dialogs.texts()[0].find("HKEY_CURRENT_USER.illisible.reg"), std::string::npos);
    EXPECT_EQ(platform::readFile(i.paths.registryFolder() / "HKEY_CURRENT_USER.illisible.reg"),
              "\x01junk");
    ASSERT_TRUE(next.saveSettings({}));
    EXPECT_EQ(i.dialogs.shown().size(), 1u);

    // A settings save that fails says so.
    const fs::path folder = i.paths.registryFolder();
    fs::remove_all(folder);
    ASSERT_TRUE(platform::writeFileAtomically(folder, "in the way"));
    i.dialogs.clear();
    EXPECT_FALSE(next.saveSettings({}));
    EXPECT_EQ(
        i.dialogs.texts(),
        std::vector<std::string>{"Cannot Create " + registry.hiveFile(Hive::CurrentUser).string()});
}

} // namespace
} // namespace ledgora

namespace ledgora {
namespace {

// Whichever command made it, a new account is followed by the planning question, then the
// budget question, each opening its window on "Oui"; nothing is asked when no account
// was made.
TEST(Workspace, EveryNewAccountIsFollowedByThePlanningThenTheBudgetQuestion) {
    using Step = void (*)(Installation&);
    const struct {
        const char* command;
        Step script; // the forms as the user fills them
        Step run;
        bool created;
    } cases[] = {
        {"new account",
         [](Installation& i) {
             i.dialogs.fill({"Livret", "0"}, true);
         },
         [](Installation& i) { i.manager().newAccount(); }, true},
        {"new user",
         [](Installation& i) {
             i.dialogs.fill({"Bob", ""}).fill({"Courant", "0"}, true);
         },
         [](Installation& i) { i.manager().newUser(); }, true},
        {"chooser, create a user",
         [](Installation& i) {
             i.dialogs.createUser().fill({"Bob", ""}).fill({"Courant", "0"}, true);
         },
         [](Installation& i) { i.manager().chooseUser(); }, true},
        {"chooser, a user with no account yet",
         [](Installation& i) {
             fs::create_directories(i.paths.userFolder("Bob"));
             i.dialogs.choose(1).fill({"Courant", "0"}, true);
         },
         [](Installation& i) { i.manager().chooseUser(); }, true},
        {"new account form cancelled", [](Installation& i) { i.dialogs.cancel(); },
         [](Installation& i) { i.manager().newAccount(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Installation i;
        i.addUser("Anne", "");
        std::vector<std::string> seen;
        i.ws.setAccountCreatedView({[&] { seen.push_back("shown " + i.ws.session().account()); },
                                    [&] { seen.push_back("planning"); },
                                    [&] { seen.push_back("alarms"); }});
        i.dialogs.clear();
        c.script(i);
        i.dialogs.yes().yes();
        c.run(i);
        if (c.created) {
            EXPECT_EQ(i.dialogs.texts(),
                      (std::vector<std::string>{kPlanningQuestion, kBudgetQuestion}));
            EXPECT_EQ(seen, (std::vector<std::string>{"shown " + i.ws.session().account(),
                                                      "planning", "alarms"}));
            EXPECT_TRUE(i.dialogs.allAnswered());
        } else {
            EXPECT_TRUE(i.dialogs.texts().empty());
            EXPECT_TRUE(seen.empty());
        }
    }
}

} // namespace
} // namespace ledgora
