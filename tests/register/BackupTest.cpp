// Backup and restore of all the data through the commands, answered by scripted dialogs:
// the round trip of every file and setting, the whole-set check, the data folder's
// boundary, a backup killed half-way, and the autosave timer around a restore.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileIO.h"
#include "platform/RegFile.h"
#include "platform/SettingsKeys.h"
#include "register/AutoSave.h"
#include "register/Backup.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "support/Installation.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;

class ScriptedForms : public BackupForms {
public:
    std::optional<fs::path> chooseBackupFolder(const std::string& caption, const fs::path& proposed,
                                               const std::vector<fs::path>& removable) override {
        captions.push_back(caption);
        proposals.push_back(proposed);
        offered = removable;
        return folder;
    }
    void beep() override { ++beeps; }

    std::optional<fs::path> folder;
    std::vector<std::string> captions;
    std::vector<fs::path> proposals;
    std::vector<fs::path> offered;
    int beeps = 0;
};

class FakeTimer : public AutoSaveTimer {
public:
    bool running() const override { return on; }
    void start() override {
        on = true;
        ++starts;
    }
    void stop() override { on = false; }
    bool on = false;
    int starts = 0;
};

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Every file under `folder` with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) {
            files[e.path().lexically_relative(folder).string()] =
                platform::readFile(e.path()).value_or("<unreadable>");
        }
    }
    return files;
}

std::string settingsText(const platform::Registry& registry) {
    platform::RegistryTree tree;
    const auto bytes = platform::readFile(registry.hiveFile(Hive::CurrentUser));
    platform::readRegFile(bytes.value_or(""), {&tree, nullptr});
    return platform::writeRegFile(tree, Hive::CurrentUser, platform::settings::root());
}

// Two users with accounts and plannings, both lists, a removable stick with no set yet.
struct BackupWorld : testing::Installation {
    ScriptedForms forms;
    FakeTimer timer;
    fs::path media = root / "media" / "lea";
    fs::path stick = media / "CLE";
    std::string cheminBackup;
    BackupCommands commands{{registry, paths, dialogs, forms, {media}}};

    BackupWorld() {
        addUser("Léa", "secret", "Courant");
        ws.session().grid().set(1, col::Notes, "Dépôt; été");
        EXPECT_TRUE(ws.session().save());
        addUser("Marc", "", "Livret");
        fs::create_directories(stick);
        forms.folder = stick;
        for (const auto& [user, account] : {std::pair{"Léa", "Courant"}, {"Marc", "Livret"}}) {
            EXPECT_TRUE(platform::writeFileAtomically(paths.planningFile(user, account),
                                                      "10,2\r\n1,1,Loyer\r\n"));
        }
        EXPECT_TRUE(platform::writeFileAtomically(paths.dataFile("Rubriques.txt"), "Courses\r\n"));
        EXPECT_TRUE(platform::writeFileAtomically(paths.dataFile("Modes.txt"), "Chèque\r\n"));
    }

    bool backup() {
        dialogs.ok();
        return commands.backup(cheminBackup, [] { return true; });
    }
    bool restore() {
        dialogs.ok().yes();
        return commands.restore(cheminBackup, ws.session(), timer);
    }
};

TEST(Backup, RestoreBringsBackEveryFileAndSettingByteForByte) {
    BackupWorld w;
    const auto files = snapshot(w.paths.dataFolder());
    const std::string settings = settingsText(w.registry);
    ASSERT_TRUE(files.count("Léa/Courant.ldg") && files.count("Léa/Courant.pla") &&
                files.count("Marc/Livret.ldg") && files.count("Marc/Livret.pla") &&
                files.count("Rubriques.txt") && files.count("Modes.txt"));
    ASSERT_TRUE(w.backup());
    EXPECT_EQ(w.dialogs.texts().back(), kBackupDone);
    EXPECT_EQ(w.cheminBackup, w.stick.string());
    // The proposed folder was the stick, the first of the removable media.
    EXPECT_EQ(w.forms.proposals.back(), w.stick);

    // The set is the user's alone: it holds the password codes.
    const BackupSet set{w.stick};
    EXPECT_EQ(modeOf(set.dataCopy()), 0700u);
    EXPECT_EQ(modeOf(set.dataCopy() / "Léa"), 0700u);
    EXPECT_EQ(modeOf(set.dataCopy() / "Léa" / "Courant.ldg"), 0600u);
    EXPECT_EQ(modeOf(set.settingsFile()), 0600u);
    EXPECT_FALSE(fs::exists(w.stick / ".Ledgora.partiel"));

    // Damage everything, then restore.
    ASSERT_TRUE(platform::writeFileAtomically(w.paths.dataFile("Rubriques.txt"), "Autre\r\n"));
    fs::remove(w.paths.planningFile("Marc", "Livret"));
    fs::remove_all(w.paths.userFolder("Léa"));
    ASSERT_TRUE(w.registry.writeString(Hive::CurrentUser, platform::settings::userKey("Marc"),
                                       platform::settings::kPassword, "changé"));
    w.dialogs.clear();
    ASSERT_TRUE(w.restore());
    EXPECT_EQ(w.dialogs.texts().back(), kRestoreDone);
    EXPECT_EQ(w.dialogs.unscripted(), 0);
    EXPECT_EQ(snapshot(w.paths.dataFolder()), files);
    EXPECT_EQ(settingsText(w.registry), settings);
}

TEST(Backup, ASecondBackupReplacesTheFirstSet) {
    BackupWorld w;
    ASSERT_TRUE(w.backup());
    ASSERT_TRUE(platform::writeFileAtomically(w.paths.dataFile("Modes.txt"), "Virement\r\n"));
    ASSERT_TRUE(w.backup());
    EXPECT_EQ(platform::readFile(BackupSet{w.stick}.dataCopy() / "Modes.txt"), "Virement\r\n");
    EXPECT_FALSE(fs::exists(w.stick / ".Ledgora.partiel"));
}

// A backup killed in the middle of its copy leaves the previous set whole and
// restorable; the next backup clears what it left.
TEST(Backup, AnInterruptedBackupLeavesThePreviousSetRestorable) {
    BackupWorld w;
    ASSERT_TRUE(w.backup());
    const auto before = snapshot(w.paths.dataFolder());
    ASSERT_TRUE(platform::writeFileAtomically(w.paths.dataFile("Rubriques.txt"), "Neuf\r\n"));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeBackupSet(w.registry, w.paths, w.stick, [](int done, int) {
            if (done == 2) {
                ::kill(::getpid(), SIGKILL);
            }
        });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(fs::exists(w.stick / ".Ledgora.partiel"));

    EXPECT_EQ(checkBackupSet(BackupSet{w.stick}), SetState::Whole);
    ASSERT_TRUE(w.restore());
    EXPECT_EQ(snapshot(w.paths.dataFolder()), before);

    ASSERT_TRUE(w.backup());
    EXPECT_FALSE(fs::exists(w.stick / ".Ledgora.partiel"));
}

// A set that is not whole is refused with its message and changes nothing.
TEST(Backup, RestoreTakesOnlyAWholeSet) {
    struct Case {
        const char* name;
        void (*damage)(const BackupSet&);
        std::string (*message)(const BackupSet&);
    };
    const Case cases[] = {
        {"no settings file", [](const BackupSet& s) { fs::remove(s.settingsFile()); },
         [](const BackupSet& s) { return missingSettingsFileMessage(s.settingsFile()); }},
        {"settings file of another kind",
         [](const BackupSet& s) { platform::writeFileAtomically(s.settingsFile(), "PK\x03\x04"); },
         [](const BackupSet& s) { return unreadableSettingsFileMessage(s.settingsFile()); }},
        {"no data copy", [](const BackupSet& s) { fs::remove_all(s.dataCopy()); },
         [](const BackupSet& s) { return missingDataCopyMessage(s.dataCopy()); }},
    };
    for (const Case& c : cases) {
        BackupWorld w;
        ASSERT_TRUE(w.backup());
        const BackupSet set{w.stick};
        c.damage(set);
        ASSERT_TRUE(platform::writeFileAtomically(w.paths.dataFile("Modes.txt"), "Autre\r\n"));
        const auto files = snapshot(w.paths.dataFolder());
        const std::string settings = settingsText(w.registry);
        w.dialogs.clear();
        w.dialogs.ok();
        EXPECT_FALSE(w.commands.restore(w.cheminBackup, w.ws.session(), w.timer)) << c.name;
        EXPECT_EQ(w.dialogs.texts(),
                  (std::vector<std::string>{insertMediumPrompt(w.stick), c.message(set)}))
            << c.name;
        EXPECT_EQ(snapshot(w.paths.dataFolder()), files) << c.name;
        EXPECT_EQ(settingsText(w.registry), settings) << c.name;
    }
}

// Links in the set, and links in the data folder, never carry a restore out of it; the
// set's settings outside the program's key are not taken.
TEST(Backup, RestoreNeverWritesOutsideTheDataFolderOrTheProgramsSettings) {
    BackupWorld w;
    ASSERT_TRUE(w.backup());
    const BackupSet set{w.stick};
    const fs::path outside = w.root / "ailleurs";
    fs::create_directories(outside);
    ASSERT_TRUE(platform::writeFileAtomically(outside / "secret.txt", "à moi"));
    // A link in the set to a file outside it, and a user folder of the set whose
    // namesake in the data folder is a link to a folder outside.
    fs::create_symlink(outside / "secret.txt", set.dataCopy() / "Léa" / "lien.ldg");
    fs::create_directories(set.dataCopy() / "Paul");
    ASSERT_TRUE(platform::writeFileAtomically(set.dataCopy() / "Paul" / "Compte.ldg", "x"));
    fs::create_symlink(outside, w.paths.userFolder("Paul"));
    // The set's settings also name another program's key.
    const auto bytes = platform::readFile(set.settingsFile()).value_or("");
    ASSERT_TRUE(platform::writeFileAtomically(
        set.settingsFile(),
        bytes + "[HKEY_CURRENT_USER\\Software\\Autre]\r\n\"Dossier\"=\"/tmp\"\r\n\r\n"));

    const RestoreResult r = restoreBackupSet(w.registry, w.paths, set);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.skipped, 2);
    EXPECT_FALSE(fs::exists(outside / "Compte.ldg"));
    EXPECT_EQ(platform::readFile(outside / "secret.txt"), "à moi");
    EXPECT_FALSE(fs::exists(fs::symlink_status(w.paths.userFolder("Léa") / "lien.ldg")));
    EXPECT_FALSE(w.registry.keyExists(Hive::CurrentUser, "Software\\Autre"));
    EXPECT_TRUE(fs::exists(w.paths.accountFile("Léa", "Courant")));
}

TEST(Backup, TheOpenAccountIsLoadedAgainOrClosedWhenTheSetHasNoFileForIt) {
    for (const bool inSet : {true, false}) {
        BackupWorld w;
        AccountSession& s = w.ws.session();
        ASSERT_EQ(s.account(), "Livret");
        if (!inSet) {
            fs::remove(w.paths.accountFile("Marc", "Livret"));
        }
        // Without its file in the set nor in the data folder, the account cannot come back.
        ASSERT_TRUE(w.backup());
        s.grid().set(1, col::Notes, "pas enregistré");
        ASSERT_TRUE(w.restore()) << inSet;
        if (inSet) {
            ASSERT_TRUE(s.isOpen());
            EXPECT_EQ(s.grid().at(1, col::Notes), "Solde initial");
        } else {
            EXPECT_FALSE(s.isOpen());
        }
    }
}

TEST(Backup, TheTimerStopsDuringARestoreAndComesBackAsItWas) {
    struct Case {
        const char* name;
        bool running;
        void (*script)(BackupWorld&);
    };
    const Case cases[] = {
        {"first prompt cancelled", true, [](BackupWorld& w) { w.dialogs.cancel(); }},
        {"folder chooser cancelled", true, [](BackupWorld& w) { w.forms.folder.reset(); }},
        {"date question answered No", true, [](BackupWorld& w) { w.dialogs.ok().no(); }},
        {"restored", true, [](BackupWorld& w) { w.dialogs.ok().yes(); }},
        {"restored, timer off", false, [](BackupWorld& w) { w.dialogs.ok().yes(); }},
    };
    for (const Case& c : cases) {
        BackupWorld w;
        ASSERT_TRUE(w.backup());
        w.timer.on = c.running;
        c.script(w);
        w.commands.restore(w.cheminBackup, w.ws.session(), w.timer);
        EXPECT_EQ(w.timer.on, c.running) << c.name;
        EXPECT_EQ(w.timer.starts, c.running ? 1 : 0) << c.name;
    }
}

TEST(Backup, AFolderThatCannotTakeTheSetIsToldWithABeepUntilCancelled) {
    BackupWorld w;
    w.forms.folder = w.root / "absent";
    w.dialogs.ok().ok().cancel();
    bool saved = false;
    EXPECT_FALSE(w.commands.backup(w.cheminBackup, [&] { return saved = true; }));
    EXPECT_FALSE(saved);
    EXPECT_EQ(w.forms.beeps, 2);
    EXPECT_EQ(w.dialogs.texts(), (std::vector<std::string>{insertMediumPrompt(w.root / "absent"),
                                                           noMediumMessage(w.root / "absent"),
                                                           noMediumMessage(w.root / "absent")}));
    // The folder is remembered all the same, as it was chosen.
    EXPECT_EQ(w.cheminBackup, (w.root / "absent").string());
}

TEST(Backup, UsableFolders) {
    BackupWorld w;
    ASSERT_TRUE(platform::writeFileAtomically(w.root / "fichier", "x"));
    struct Case {
        fs::path folder;
        bool usable;
    };
    const Case cases[] = {
        {w.stick, true},
        {w.root / "absent", false},
        {w.root / "fichier", false},
        {w.paths.dataFolder(), false},
        {w.paths.userFolder("Léa"), false},
        {w.root, true},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isUsableBackupFolder(c.folder, w.paths), c.usable) << c.folder;
    }
    EXPECT_EQ(removableMedia({w.media, w.root / "absent"}), (std::vector<fs::path>{w.stick}));
    // The roots follow the login name the paths were given, never one that leaves them.
    EXPECT_EQ(removableMediaRoots("anne"),
              (std::vector<fs::path>{"/media/anne", "/run/media/anne"}));
    for (const char* name : {"", ".", "..", "a/../../etc"}) {
        EXPECT_TRUE(removableMediaRoots(name).empty()) << name;
    }
    const platform::Paths named{w.root, w.root / "registry", w.root / "program", {}, "léa"};
    BackupServices services{w.registry, named, w.dialogs, w.forms};
    EXPECT_EQ(services.removableRoots, (std::vector<fs::path>{"/media/léa", "/run/media/léa"}));
}

TEST(Backup, AWriteFailureIsToldAndSaysNoSuccess) {
    BackupWorld w;
    // A folder so deep that the copies' paths inside it are longer than the system takes.
    fs::path deep = w.root;
    while (deep.string().size() < 4040) {
        deep /= std::string(200, 'd');
    }
    fs::create_directories(deep);
    w.forms.folder = deep;
    EXPECT_FALSE(w.backup());
    EXPECT_EQ(w.dialogs.texts().back(), cannotWriteBackupMessage(deep));
    EXPECT_NE(checkBackupSet(BackupSet{deep}), SetState::Whole);
    std::error_code ec;
    EXPECT_FALSE(fs::exists(deep / ".Ledgora.partiel", ec));
}

TEST(AutoSave, TheSliderClampsAndTheTimerNeverRunsWild) {
    struct Case {
        int stored, slider, intervalMs;
    };
    const Case cases[] = {
        {10, 10, 600000}, {5, 5, 300000}, {60, 60, 3600000}, {1, 5, 60000},
        {0, 5, 60000},    {-3, 5, 60000}, {61, 60, 3660000}, {100000, 60, 86400000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clampAutoSaveMinutes(c.stored), c.slider) << c.stored;
        EXPECT_EQ(autoSaveIntervalMs(c.stored), c.intervalMs) << c.stored;
    }
}

TEST(AutoSave, ATickWithNoAccountOpenWritesNothing) {
    testing::Installation w;
    const auto before = snapshot(w.root);
    EXPECT_TRUE(autoSaveTick(w.ws.session()));
    EXPECT_EQ(snapshot(w.root), before);

    w.addUser("Léa", "", "Courant");
    w.ws.session().grid().set(1, col::Notes, "tapé");
    EXPECT_TRUE(autoSaveTick(w.ws.session()));
    Grid saved;
    ASSERT_FALSE(loadGridFile(w.paths.accountFile("Léa", "Courant"), saved));
    EXPECT_EQ(saved.at(1, col::Notes), "tapé");
}

} // namespace
} // namespace ledgora
