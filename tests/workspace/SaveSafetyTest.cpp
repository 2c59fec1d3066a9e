// An account's save with its parts under crashes and failures: a save killed between the
// account file and the settings is finished at the next load, never read in the wrong
// currency; a failed settings write is told; the files are the user's alone.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "banktools/BankBalancePart.h"
#include "planning/PlanningPart.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/SaveJournal.h"
#include "register/TestWorld.h"
#include "support/Installation.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
namespace settings = platform::settings;

// The open account with the parts that write a file and values, as the workspace adds
// them.
struct TestWorld : testing::TestWorld {
    PlanningPart planning{paths, dialogs};
    BankBalancePart bank{registry};
    TestWorld() {
        session.addPart(&planning);
        session.addPart(&bank);
    }
};

std::string euroValue(TestWorld& w, const std::string& account) {
    return w.registry.readString(Hive::CurrentUser, settings::accountKey("Anne", account),
                                 settings::kEuro, "<absent>");
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The next start of the program over the same files: its own settings store.
struct Reopened {
    platform::Registry registry;
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    AccountSession session;
    PlanningPart planning;
    BankBalancePart bank{registry};
    explicit Reopened(TestWorld& w)
        : registry(w.paths.registryFolder()),
          session({registry, w.paths, w.clock, w.dialogs, w.sounds}, categories, modes),
          planning(w.paths, w.dialogs) {
        session.addPart(&planning);
        session.addPart(&bank);
        session.setUser("Anne");
    }
};

// An account in francs with a planning row, saved: "Courant" with 655.96 F of credit.
void francsAccount(TestWorld& w) {
    ASSERT_TRUE(w.session.create("Courant", 655.96, false));
    w.planning.grid().set(1, planning_col::Credit, "65.60");
    ASSERT_TRUE(w.session.save());
}

TEST(SaveJournal, ReadsOnlyAWholeJournal) {
    SaveJournal j;
    j.accountSize = 12;
    j.accountDigest = accountDigest("twelve bytes");
    j.values = {{"Euro", "1"}, {"BankSolde", "10.00"}};
    j.files = {{"Courant.pla", "10,2\r\n0,1,1\r\n"}, {"Autre.txt", ""}};
    const std::string bytes = writeSaveJournal(j);
    const auto back = readSaveJournal(bytes);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->describes("twelve bytes"));
    EXPECT_FALSE(back->describes("twelve byteS"));
    EXPECT_EQ(back->values, j.values);
    EXPECT_EQ(back->files, j.files);
    j.files.clear();
    EXPECT_TRUE(readSaveJournal(writeSaveJournal(j))->files.empty());

    const std::string head = bytes.substr(0, bytes.find("file"));
    for (const std::string& damaged :
         {bytes.substr(0, bytes.size() - 1), bytes + "x", std::string(), std::string("junk\r\n"),
          bytes.substr(0, bytes.find("value")) + "value =1\r\n",
          std::string("LEDGORA-JOURNAL 1\r\naccount 12 zz\r\n"), head + "file 2 ../x\r\nab",
          head + "file 2 a/b\r\nab", head + "file 2 ..\r\nab", head + "file 2 \r\nab",
          head + "file 3 x\r\nab"}) {
        EXPECT_EQ(readSaveJournal(damaged), std::nullopt) << damaged;
    }
}

// The child saves the switch to euros and is killed while it waits for the settings lock,
// that is after the account file and the planning were written and before the settings.
TEST(SaveJournal, ASaveKilledBetweenTheFileAndTheSettingsIsFinishedAtTheNextLoad) {
    TestWorld w;
    francsAccount(w);
    const fs::path file = w.paths.accountFile("Anne", "Courant");
    const fs::path planning = w.paths.planningFile("Anne", "Courant");
    const std::string francsFile = platform::readFile(file).value();
    const std::string francsPlanning = platform::readFile(planning).value();

    const int lock = ::open((w.registry.hiveFile(Hive::CurrentUser).string() + ".lock").c_str(),
                            O_RDWR | O_CREAT, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        w.session.switchToEuros();
        w.session.save(); // blocks on the lock
        ::_exit(0);
    }
    while (platform::readFile(file).value_or(francsFile) == francsFile ||
           platform::readFile(planning).value_or(francsPlanning) == francsPlanning) {
        ::usleep(1000);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ::flock(lock, LOCK_UN);
    ::close(lock);
    ASSERT_EQ(euroValue(w, "Courant"), "0"); // the settings still say francs
    ASSERT_TRUE(fs::exists(saveJournalFile(file)));

    Reopened next(w);
    ASSERT_TRUE(next.session.load("Courant"));
    EXPECT_TRUE(next.session.euros());
    EXPECT_EQ(next.session.grid().at(1, col::Credit), "100.00");
    EXPECT_EQ(next.planning.grid().at(1, planning_col::Credit), "10.00");
    EXPECT_EQ(euroValue(w, "Courant"), "1");
    EXPECT_FALSE(fs::exists(saveJournalFile(file)));
    EXPECT_TRUE(w.dialogs.texts().empty());
}

TEST(SaveJournal, AJournalForAFileThatWasNeverWrittenIsDropped) {
    TestWorld w;
    francsAccount(w);
    const fs::path file = w.paths.accountFile("Anne", "Courant");
    // As a save killed before its account file was replaced leaves it.
    SaveJournal j;
    j.accountSize = 3;
    j.accountDigest = accountDigest("new");
    j.values = {{"Euro", "1"}};
    j.files = {{"Courant.pla", "10,2\r\n"}};
    ASSERT_TRUE(platform::writeFileAtomically(saveJournalFile(file), writeSaveJournal(j)));
    const std::string planning =
        platform::readFile(w.paths.planningFile("Anne", "Courant")).value();

    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_FALSE(w.session.euros());
    EXPECT_EQ(w.session.grid().at(1, col::Credit), "655.96");
    EXPECT_EQ(euroValue(w, "Courant"), "0");
    EXPECT_EQ(platform::readFile(w.paths.planningFile("Anne", "Courant")).value(), planning);
    EXPECT_FALSE(fs::exists(saveJournalFile(file)));
}

// An earlier version's journal ends with the planning's bytes alone; it is still finished.
TEST(SaveJournal, AnEarlierVersionsPlanningRecordIsFinished) {
    TestWorld w;
    francsAccount(w);
    const fs::path file = w.paths.accountFile("Anne", "Courant");
    const std::string account = platform::readFile(file).value();
    SaveJournal j;
    j.accountSize = account.size();
    j.accountDigest = accountDigest(account);
    j.values = {{"Euro", "0"}};
    const std::string planning = "10,2\r\n0,1,Jour du mois\r\n";
    const std::string bytes =
        writeSaveJournal(j) + "planning " + std::to_string(planning.size()) + "\r\n" + planning;
    ASSERT_TRUE(platform::writeFileAtomically(saveJournalFile(file), bytes));
    ASSERT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(platform::readFile(w.paths.planningFile("Anne", "Courant")), planning);
    EXPECT_FALSE(fs::exists(saveJournalFile(file)));
}

TEST(SaveJournal, AFailedSettingsWriteIsToldAndFinishedLater) {
    TestWorld w;
    francsAccount(w);
    // The settings folder replaced by a file: no hive can be written there.
    const fs::path folder = w.paths.registryFolder();
    fs::rename(folder, w.root / "registry.saved");
    ASSERT_TRUE(platform::writeFileAtomically(folder, "in the way"));
    w.session.switchToEuros();
    EXPECT_FALSE(w.session.save());
    const std::string failure = "Cannot Create " + w.registry.hiveFile(Hive::CurrentUser).string();
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{failure});

    // Opened while the store still cannot be written: refused, never shown in francs.
    w.dialogs.clear();
    Reopened blocked(w);
    EXPECT_FALSE(blocked.session.load("Courant"));
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{failure});

    fs::remove(folder);
    fs::rename(w.root / "registry.saved", folder);
    Reopened next(w);
    ASSERT_TRUE(next.session.load("Courant"));
    EXPECT_TRUE(next.session.euros());
    EXPECT_EQ(next.session.grid().at(1, col::Credit), "100.00");
    EXPECT_EQ(euroValue(w, "Courant"), "1");
}

TEST(SaveJournal, EverythingASaveWritesIsTheUsersAlone) {
    const mode_t mask = ::umask(0);
    {
        testing::Installation i;
        ::chmod(i.paths.dataFolder().c_str(), 0755); // as an earlier version left it
        i.addUser("Anne", "secret");
        const fs::path account = i.paths.accountFile("Anne", "Courant");
        ::chmod(account.c_str(), 0644);
        ASSERT_TRUE(i.ws.saveSettings({}));
        Workspace again(i.registry, i.paths, i.clock, i.dialogs, i.dialogs, i.sounds);
        again.start();
        for (const fs::path& folder :
             {i.paths.dataFolder(), i.paths.userFolder("Anne"), i.paths.registryFolder()}) {
            EXPECT_EQ(modeOf(folder), 0700u) << folder;
        }
        for (const fs::path& file :
             {account, i.paths.planningFile("Anne", "Courant"), i.paths.dataFile("Modes.txt"),
              i.paths.dataFile("Rubriques.txt"), i.registry.hiveFile(Hive::CurrentUser)}) {
            EXPECT_EQ(modeOf(file), 0600u) << file;
        }
    }
    ::umask(mask);
}

TEST(SaveJournal, AFifoInPlaceOfThePlanningIsRefusedNotWaitedOn) {
    TestWorld w;
    francsAccount(w);
    const fs::path planning = w.paths.planningFile("Anne", "Courant");
    fs::remove(planning);
    ASSERT_EQ(::mkfifo(planning.c_str(), 0600), 0);
    ::alarm(20); // a load that waits for a writer ends the test here
    EXPECT_TRUE(w.session.load("Courant"));
    EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{"Cannot open file " + planning.string()});
    EXPECT_TRUE(w.session.save()); // the account is saved, the FIFO is left alone
    ::alarm(0);
    EXPECT_EQ(fs::status(planning).type(), fs::file_type::fifo);
}

} // namespace
} // namespace ledgora
