// Backup and restore as the main window runs them on the workspace: the options and lists
// a restore brings back, and the backup offered at closing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "support/Installation.h"
#include "workspace/WorkspaceBackup.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
namespace settings = platform::settings;

class Forms : public BackupForms, public BackupOfferForm {
public:
    std::optional<fs::path> chooseBackupFolder(const std::string&, const fs::path&,
                                               const std::vector<fs::path>&) override {
        return folder;
    }
    void beep() override {}
    BackupOfferReply offerBackup() override {
        ++offers;
        return reply;
    }
    std::optional<fs::path> folder;
    BackupOfferReply reply;
    int offers = 0;
};

class Timer : public AutoSaveTimer {
public:
    bool running() const override { return on; }
    void start() override { on = true; }
    void stop() override { on = false; }
    bool on = true;
};

struct World : testing::Installation {
    Forms forms;
    Timer timer;
    fs::path stick = root / "cle";
    WorkspaceBackup backup{ws, forms};
    const WindowPlacement placement{0, 0, 640, 480, false};

    World() {
        addUser("Anne", "");
        fs::create_directories(stick);
        forms.folder = stick;
    }
};

TEST(WorkspaceBackup, ARestoreBringsBackTheSetsOptionsAndLists) {
    World w;
    w.ws.options().bw = true;
    w.ws.options().minutesAutoSave = 25;
    w.ws.categories().add("Jardin");
    w.dialogs.ok();
    ASSERT_TRUE(w.backup.backup(w.placement));
    // The set holds what was in memory when it was made, the folder included.
    w.ws.options().bw = false;
    w.ws.options().minutesAutoSave = 40;
    w.ws.categories().removeAt(w.ws.categories().find("Jardin"));
    const fs::path other = w.root / "autre";
    fs::create_directories(other);
    fs::copy(w.stick, other, fs::copy_options::recursive);

    // Given up at the question: what is in memory stays.
    w.forms.folder = other;
    w.dialogs.ok().no();
    EXPECT_FALSE(w.backup.restore(w.timer));
    EXPECT_FALSE(w.ws.options().bw);
    EXPECT_FALSE(w.ws.categories().contains("Jardin"));

    w.dialogs.ok().yes();
    ASSERT_TRUE(w.backup.restore(w.timer));
    EXPECT_TRUE(w.ws.options().bw);
    EXPECT_EQ(w.ws.options().minutesAutoSave, 25);
    EXPECT_TRUE(w.ws.categories().contains("Jardin"));
    EXPECT_EQ(w.ws.options().cheminBackup, other.string());
    EXPECT_TRUE(w.timer.on);
    EXPECT_EQ(w.dialogs.unscripted(), 0);
    // The next settings save keeps them.
    ASSERT_TRUE(w.ws.saveSettings(w.placement));
    EXPECT_TRUE(w.registry.readBool(Hive::CurrentUser, settings::optionsKey(), "BW", false));
}

TEST(WorkspaceBackup, TheOfferAtClosing) {
    struct Case {
        const char* name;
        bool accountOpen;
        bool noBackupPrompt;
        BackupOfferReply reply;
        int offers;
        bool setWritten;
        bool noBackupPromptAfter;
    };
    const Case cases[] = {
        {"Non", true, false, {false, false}, 1, false, false},
        {"Oui", true, false, {true, false}, 1, true, false},
        {"Oui, ne plus montrer", true, false, {true, true}, 1, true, true},
        {"Non, ne plus montrer", true, false, {false, true}, 1, false, true},
        {"turned off", true, true, {true, false}, 0, false, true},
        {"no account", false, false, {true, false}, 0, false, false},
    };
    for (const Case& c : cases) {
        World w;
        if (!c.accountOpen) {
            w.ws.session().close();
        }
        w.ws.options().noBackupPrompt = c.noBackupPrompt;
        w.forms.reply = c.reply;
        if (c.reply.backup && c.offers > 0) {
            w.dialogs.ok();
        }
        EXPECT_TRUE(w.backup.queryClose(w.placement, w.forms)) << c.name;
        EXPECT_EQ(w.forms.offers, c.offers) << c.name;
        EXPECT_EQ(fs::exists(BackupSet{w.stick}.settingsFile()), c.setWritten) << c.name;
        EXPECT_EQ(w.ws.options().noBackupPrompt, c.noBackupPromptAfter) << c.name;
        EXPECT_EQ(w.registry.readBool(Hive::CurrentUser, settings::optionsKey(), "NoBackupPrompt",
                                      !c.noBackupPromptAfter),
                  c.noBackupPromptAfter)
            << c.name;
        EXPECT_EQ(w.dialogs.unscripted(), 0) << c.name;
    }
}

// Options missing from the store default to folders under the home folder of the paths
// the program runs on, after a restore as at start-up, whatever the environment says.
TEST(WorkspaceBackup, ReloadedOptionsDefaultToTheHomeFolderOfThePaths) {
    World w;
    const fs::path home = w.root / "maison";
    const platform::Paths paths(w.root, w.root / "registry", w.root / "program", home);
    Workspace ws(w.registry, paths, w.clock, w.dialogs, w.dialogs, w.sounds);
    ws.start();
    w.registry.eraseKey(Hive::CurrentUser, settings::optionsKey());
    WorkspaceBackup(ws, w.forms).reloadSettings();
    EXPECT_EQ(ws.options().cheminExport, home.string());
}

} // namespace
} // namespace ledgora
