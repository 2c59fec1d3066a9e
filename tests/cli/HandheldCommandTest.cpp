// "ledgora-cli handheld": the exchange without questions, through the builder shipped
// beside the program, in the data folder; import saves what the program would.
#include <gtest/gtest.h>

#include <sstream>

#include "../handheld/GridPrint.h"
#include "../handheld/HotSyncWorld.h"
#include "cli/Commands.h"
#include "platform/Paths.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsKeys.h"
#include "register/AccountSession.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using ledgora::Grid;
using ledgora::NameList;
using platform::Hive;
namespace col = ledgora::col;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class HandheldCommand : public ::testing::Test {
protected:
    HandheldCommand() {
        fs::create_directories(paths.userFolder("Jean Dupont"));
        session.setUser("Jean Dupont");
        EXPECT_TRUE(session.create("Compte joint", 100.0, false));
        Grid& reg = session.grid();
        reg.setRowCount(5);
        reg.set(2, col::Date, "06/03/2024");
        reg.set(2, col::Rubrique, "Loyer");
        reg.set(2, col::Debit, "40.00");
        reg.set(3, col::Date, "07/03/2024");
        reg.set(3, col::Notes, "Café");
        reg.set(3, col::Credit, "12.50");
        ledgora::renumberRows(reg);
        session.recompute();
        EXPECT_TRUE(session.save());
        EXPECT_TRUE(categories.save(paths.dataFile("Rubriques.txt")));
    }

    Outcome run(const Args& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = runHandheld(args, TRELLISK_PROGRAM_FOLDER, out, err);
        return {status, out.str(), err.str()};
    }
    Grid savedRegister() {
        Grid reg;
        EXPECT_FALSE(
            ledgora::readAccountFile(paths.accountFile("Jean Dupont", "Compte joint"), reg));
        return reg;
    }
    fs::path index() const { return paths.dataFolder().parent_path() / "PennaroPalm.ind"; }

    ledgora::testing::TemporaryHome home;
    platform::Paths paths = platform::Paths::fromEnvironment(TRELLISK_PROGRAM_FOLDER);
    platform::Registry registry{paths.registryFolder()};
    ledgora::testing::HotSyncWorld hotSync{registry, home.path / "Palm"};
    platform::FixedClock clock{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    platform::ScriptedDialogs dialogs;
    platform::RecordingSounds sounds;
    NameList categories{{"Loyer", "Salaire"}};
    NameList modes = NameList::builtInPaymentModes();
    ledgora::AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};
};

TEST_F(HandheldCommand, ExportThenImportWithoutQuestions) {
    // Started from elsewhere, it works in the data folder: the index lands beside it.
    fs::current_path(home.path);
    const Outcome exported = run({"export", "jean dupont", "compte joint"});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "Le compte a été exporté vers votre Palm.\nLa mise à jour sera "
                            "effective une fois que vous aurez synchronisé votre Palm.\n");
    EXPECT_EQ(exported.err, "");
    EXPECT_TRUE(fs::exists(hotSync.install() / "Jean Dupont_Compte joint.pdb"));
    EXPECT_TRUE(fs::exists(index()));
    EXPECT_EQ(fs::current_path(), paths.dataFolder());
    const Grid atExport = savedRegister();

    // On the desktop meanwhile: another register in euros, other categories.
    hotSync.hotSync();
    session.switchToEuros();
    session.grid().set(2, col::Notes, "changé");
    ASSERT_TRUE(session.save());
    ASSERT_TRUE(NameList({"Autre"}).save(paths.dataFile("Rubriques.txt")));

    const Outcome imported = run({"import", "Jean Dupont", "Compte joint"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "Le compte a été importé depuis votre Palm.\n");
    // Saved as the program's next save would: register, currency, both lists.
    EXPECT_EQ(savedRegister(), atExport);
    EXPECT_EQ(registry.readString(Hive::CurrentUser,
                                  platform::settings::accountKey("Jean Dupont", "Compte joint"),
                                  platform::settings::kEuro),
              "0");
    EXPECT_EQ(NameList::load(paths.dataFile("Rubriques.txt")), categories);
    EXPECT_EQ(NameList::load(paths.dataFile("Modes.txt")), modes);
}

TEST_F(HandheldCommand, TheHandheldUserComesFromTheOptionOrTheCommandLine) {
    EXPECT_EQ(run({"export", "Jean Dupont", "Compte joint", "--palm-user", "1"}).status, 0);
    EXPECT_TRUE(fs::exists(hotSync.palm / "Bob/Install/Jean Dupont_Compte joint.pdb"));
    EXPECT_EQ(registry.readInteger(Hive::CurrentUser, platform::settings::optionsKey(),
                                   platform::settings::kPalmUser, -1),
              1);
    // Without the option: the stored one.
    fs::remove(hotSync.palm / "Bob/Install/Jean Dupont_Compte joint.pdb");
    EXPECT_EQ(run({"export", "Jean Dupont", "Compte joint"}).status, 0);
    EXPECT_TRUE(fs::exists(hotSync.palm / "Bob/Install/Jean Dupont_Compte joint.pdb"));

    const Outcome beyond = run({"export", "Jean Dupont", "Compte joint", "--palm-user", "2"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(beyond.err, "no handheld user 2 (2 found)\n");
    EXPECT_EQ(beyond.out, "");
    EXPECT_FALSE(fs::exists(hotSync.install() / "Jean Dupont_Compte joint.pdb"));
}

TEST_F(HandheldCommand, BuilderErrorsGoToStandardErrorWithStatusOne) {
    fs::create_directories(index()); // an index that cannot be read or written
    const Outcome r = run({"export", "Jean Dupont", "Compte joint"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error [4] : Palm OS : nom de PDB incorrect\n"
                     "Error [4] : Palm OS : nom de PDB incorrect\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(HandheldCommand, RefusedRequests) {
    struct Case {
        Args args;
        int status;
        std::string err;
    };
    const std::string usage =
        "usage: ledgora-cli handheld export|import USER ACCOUNT [--palm-user N]\n";
    const Case cases[] = {
        {{}, 2, usage},
        {{"send", "Jean Dupont", "Compte joint"}, 2, usage},
        {{"export", "Jean Dupont"}, 2, usage},
        {{"export", "Jean Dupont", "Compte joint", "--palm-user"}, 2, usage},
        {{"export", "Jean Dupont", "Compte joint", "--palm-user", "-1"}, 2, usage},
        {{"export", "Jean Dupont", "Compte joint", "--palm", "1"}, 2, usage},
        {{"export", "Paul", "Compte joint"}, 1, "unknown user: Paul\n"},
        {{"import", "Jean Dupont", "Livret"}, 1, "unknown account: Livret\n"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.err, c.err) << ::testing::PrintToString(c.args);
    }
}

TEST_F(HandheldCommand, NoHandheldUserIsAFailure) {
    fs::remove(hotSync.palm / "users.dat");
    const Outcome r = run({"export", "Jean Dupont", "Compte joint"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Aucun utilisateur Palm trouvé.\n");
}

} // namespace
} // namespace cli
