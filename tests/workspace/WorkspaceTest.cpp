// The workspace: its start-up, its menu state and its settings save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
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

    Workspace again(i.registry, i.paths, i.clock, i.dialogs, i.sounds);
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
    Workspace next(registry, i.paths, i.clock, i.dialogs, i.sounds);
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
