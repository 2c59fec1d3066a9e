// HotSync users and folders, the install flag, and the handheld names of PDBopen2 and
// PDBload2.
#include <gtest/gtest.h>

#include "BuilderFixture.h"
#include "builder/NameIndex.h"
#include "builder/UserDiscovery.h"
#include "platform/FileIO.h"

#include <sys/wait.h>
#include <unistd.h>

namespace trellisk {
namespace {

using test::BuilderTest;
using test::bytes;
using test::fromHex;

constexpr platform::Hive kUser = platform::Hive::CurrentUser;

std::string usersFile(int count, const std::string& entries) {
    return std::string(1, static_cast<char>(count)) + std::string(12, '\x07') + entries;
}

class UsersTest : public BuilderTest {
protected:
    // The desktop software installed in `desktop` under the given vendor key, with a users
    // file, then a new object to discover it.
    void install(const std::string& coreKey, const std::string& users) {
        const std::filesystem::path desktop = dir_.path() / "Palm";
        std::filesystem::create_directories(desktop);
        ASSERT_TRUE(registry_.writeString(kUser, coreKey, "Path", desktop.string()));
        if (!users.empty()) {
            test::writeAll(desktop / "users.dat", users);
        }
        recreate();
    }
    std::string desktop() const { return (dir_.path() / "Palm").string(); }
};

TEST_F(UsersTest, NoDesktopSoftware) {
    std::string name = "x", install = "x", backup = "x";
    EXPECT_EQ(builder_->PDBgetUserCount(), 0);
    EXPECT_EQ(builder_->PDBgetUserInfo(0, name, install, backup), WAR_PALM_DESKTOP_NOT_INSTALLED);
    EXPECT_EQ(name + install + backup, "");
    EXPECT_EQ(builder_->PDBsetInstallFlag(0), WAR_PALM_DESKTOP_NOT_INSTALLED);
}

TEST_F(UsersTest, TwoUsersInFileOrderWithTheirFolders) {
    // The second entry follows junk and the marker pair 01 80.
    const std::string users = usersFile(2, test::usersEntry(0x01020304, "Jean Dupont", "DupontJ") +
                                               fromHex("05 01 02 01 80") +
                                               test::usersEntry(7, "Marie \xC9lise", "MarieE"));
    install(std::string(kCoreKeys[0]), users);
    ASSERT_EQ(builder_->PDBgetUserCount(), 2);
    std::string name, install, backup;
    ASSERT_EQ(builder_->PDBgetUserInfo(0, name, install, backup), NO_ERROR);
    EXPECT_EQ(name, "Jean Dupont");
    EXPECT_EQ(install, desktop() + "/DupontJ/Install");
    EXPECT_EQ(backup, desktop() + "/DupontJ/Backup");
    ASSERT_EQ(builder_->PDBgetUserInfo(1, name, install, backup), NO_ERROR);
    EXPECT_EQ(name, "Marie Élise");
    EXPECT_EQ(install, desktop() + "/MarieE/Install");
    EXPECT_EQ(builder_->PDBgetUserInfo(2, name, install, backup), ERR_INVALID_USER_ID);
    EXPECT_EQ(builder_->PDBgetUserInfo(-1, name, install, backup), ERR_INVALID_USER_ID);
    EXPECT_EQ(name, "");
}

TEST_F(UsersTest, UsersFileVariants) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> names;
    };
    const std::string first = test::usersEntry(1, "Un", "A");
    const Case cases[] = {
        {"count 0 still reads the first entry", usersFile(0, first), {"Un"}},
        {"count larger than the entries",
         usersFile(5, first + fromHex("01 80") + test::usersEntry(2, "Deux", "B")),
         {"Un", "Deux"}},
        {"marker byte 01 without 80 is skipped",
         usersFile(2, first + fromHex("01 7f 01 80") + test::usersEntry(2, "Deux", "B")),
         {"Un", "Deux"}},
        {"a 01 right before the pair",
         usersFile(3, first + fromHex("01 01 80") + test::usersEntry(2, "Deux", "B") +
                          fromHex("01 01 01 80") + test::usersEntry(3, "Trois", "C")),
         {"Un", "Deux", "Trois"}},
        {"first entry cut short", usersFile(1, test::usersEntry(1, "Un", "A").substr(0, 7)), {}},
        {"second entry cut short",
         usersFile(2, first + fromHex("01 80") + test::usersEntry(2, "Deux", "B").substr(0, 6)),
         {"Un"}},
        {"only the count byte", std::string(1, '\x02'), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::writeAll(dir_.path() / "users.dat", c.file);
        const std::vector<TUser> users = readUsersFile(dir_.path() / "users.dat");
        std::vector<std::string> names;
        for (const TUser& u : users) {
            names.push_back(u.userName);
        }
        EXPECT_EQ(names, c.names);
    }
    EXPECT_TRUE(readUsersFile(dir_.path() / "absent.dat").empty());
    EXPECT_EQ(readUsersFile(dir_.path() / "users.dat").size(), 0u);
}

TEST_F(UsersTest, DesktopWithoutUsers) {
    install(std::string(kCoreKeys[1]), ""); // the older vendor key, no users file
    EXPECT_EQ(builder_->PDBgetUserCount(), 0);
    std::string name, install, backup;
    EXPECT_EQ(builder_->PDBgetUserInfo(0, name, install, backup), WAR_NO_USERS);
    EXPECT_EQ(builder_->PDBsetInstallFlag(0), WAR_NO_USERS);
}

TEST_F(UsersTest, InstallFlagGoesUnderTheFirstHotSyncKey) {
    install(std::string(kCoreKeys[1]), usersFile(1, test::usersEntry(305419896, "Jean", "J")));
    ASSERT_EQ(builder_->PDBgetUserCount(), 1);
    // No HotSync Manager key under either vendor name.
    EXPECT_EQ(builder_->PDBsetInstallFlag(0), WAR_PALM_DESKTOP_NOT_INSTALLED);
    ASSERT_TRUE(registry_.createKey(kUser, kHotSyncKeys[1]));
    EXPECT_EQ(builder_->PDBsetInstallFlag(0), NO_ERROR);
    const auto value = registry_.value(kUser, kHotSyncKeys[1], "Install305419896");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, platform::RegistryValue::Type::Dword);
    EXPECT_EQ(value->dword, 1u);
    ASSERT_TRUE(registry_.createKey(kUser, kHotSyncKeys[0]));
    EXPECT_EQ(builder_->PDBsetInstallFlag(0), NO_ERROR);
    EXPECT_TRUE(registry_.value(kUser, kHotSyncKeys[0], "Install305419896"));
    EXPECT_EQ(builder_->PDBsetInstallFlag(1), ERR_INVALID_USER_ID);
}

TEST_F(BuilderTest, HandheldNamesAreNumberedOnceAndKept) {
    constexpr NameUse kExport = NameUse::Export;
    constexpr NameUse kBackup = NameUse::Backup;
    struct Step {
        const char* requested;
        NameUse use;
        std::optional<std::string> expected;
    };
    const Step steps[] = {
        {"Jean Dupont_Courant.pdb", kExport, "Budget0.pdb"},
        {"Jean Dupont_Livret.pdb", kExport, "Budget1.pdb"},
        {"Jean Dupont_Courant.pdb", kExport, "Budget0.pdb"},
        {"backup/Jean_Dupont_Courant.pdb", kBackup, "backup/Budget0.pdb"},
        {"backup/Jean Dupont_Livret.pdb", kBackup, "backup/Budget1.pdb"},
        // Never exported: no database, and no line that would stand in its way later.
        {"backup/Jean_Dupont_Epargne.pdb", kBackup, std::nullopt},
        {"rubriques.pdb", kExport, "rubriques.pdb"},
        {"/x/Modes.pdb", kBackup, "/x/Modes.pdb"},
        {"Rubriques.PDB", kExport, "Rubriques.PDB"},
        {"jean dupont_courant.pdb", kExport, "Budget2.pdb"}, // case matters
        {"Jean Dupont_Epargne.pdb", kExport, "Budget3.pdb"},
        {"B/Jean_Dupont_Epargne.pdb", kBackup, "B/Budget3.pdb"},
    };
    const std::filesystem::path index = dir_.path() / "PennaroPalm.ind";
    for (const Step& s : steps) {
        SCOPED_TRACE(s.requested);
        EXPECT_EQ(mapDatabaseName(index, s.requested, s.use), s.expected);
    }
    EXPECT_EQ(contents("PennaroPalm.ind"), "Jean Dupont_Courant.pdb|Budget0.pdb\r\n"
                                           "Jean Dupont_Livret.pdb|Budget1.pdb\r\n"
                                           "jean dupont_courant.pdb|Budget2.pdb\r\n"
                                           "Jean Dupont_Epargne.pdb|Budget3.pdb\r\n");
    // Blank lines and lines without "|" count for the numbering but match nothing.
    test::writeAll(index, "\r\nno bar here\r\nA|Budget7.pdb");
    EXPECT_EQ(mapDatabaseName(index, "A", kBackup), "Budget7.pdb");
    EXPECT_EQ(mapDatabaseName(index, "B", kExport), "Budget3.pdb");
    EXPECT_EQ(contents("PennaroPalm.ind"), "\r\nno bar here\r\nA|Budget7.pdb\r\nB|Budget3.pdb\r\n");
}

TEST_F(BuilderTest, TwoAccountsNeverShareAHandheldName) {
    const std::filesystem::path index = dir_.path() / "PennaroPalm.ind";
    struct Step {
        const char* requested;
        NameUse use;
        const char* expected;
    };
    const Step steps[] = {
        {"Jean Dupont_Courant.pdb", NameUse::Export, "Budget0.pdb"},
        // Another account, whose name differs by an "_" for a space: its own name.
        {"Jean_Dupont_Courant.pdb", NameUse::Export, "Budget1.pdb"},
        {"Jean Dupont_Courant.pdb", NameUse::Export, "Budget0.pdb"},
        {"Jean_Dupont_Courant.pdb", NameUse::Export, "Budget1.pdb"},
        // A backup name finds the first line it stands for.
        {"B/Jean_Dupont_Courant.pdb", NameUse::Backup, "B/Budget0.pdb"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.requested);
        EXPECT_EQ(mapDatabaseName(index, s.requested, s.use), s.expected);
    }
    EXPECT_TRUE(test::ownerOnly(index));
}

TEST_F(BuilderTest, TwoProcessesExportingAtOnceNeverShareANumber) {
    const std::filesystem::path index = dir_.path() / "PennaroPalm.ind";
    constexpr int kEach = 60;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const std::string prefix = child == 0 ? "child" : "parent";
    bool mapped = true;
    for (int i = 0; i < kEach; ++i) {
        mapped =
            mapDatabaseName(index, prefix + std::to_string(i) + ".pdb", NameUse::Export) && mapped;
    }
    if (child == 0) {
        ::_exit(mapped ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(mapped);
    // Every name got its own line, and every line the number of its position.
    const auto lines = platform::splitLines(contents("PennaroPalm.ind"));
    ASSERT_EQ(lines.size(), 2u * kEach);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(lines[i].find('|') + 1), "Budget" + std::to_string(i) + ".pdb");
    }
}

TEST_F(BuilderTest, AnIndexThatCannotBeWrittenGivesNoName) {
    struct Case {
        const char* what;
        std::filesystem::path index;
    };
    std::filesystem::create_directories(dir_.path() / "dir.ind");
    const Case cases[] = {
        {"in a folder that cannot be written", dir_.path() / "missing" / "PennaroPalm.ind"},
        {"that cannot be read", dir_.path() / "dir.ind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(mapDatabaseName(c.index, "Anne_Courant.pdb", NameUse::Export), std::nullopt);
        EXPECT_EQ(mapDatabaseName(c.index, "Anne_Courant.pdb", NameUse::Backup), std::nullopt);
        // The category and payment-mode databases need no index.
        EXPECT_EQ(mapDatabaseName(c.index, "x/Modes.pdb", NameUse::Backup), "x/Modes.pdb");

        TrelliskOptions options;
        options.indexFile = c.index;
        TTrellisk builder(registry_, clock_, options);
        EXPECT_EQ(builder.PDBopen2(file("Anne_Courant"), "ABCD", "DATA", "Anne_Courant.pdb"),
                  ERR_INVALID_PDBNAME);
        EXPECT_EQ(builder.mode(), TTrellisk::Mode::Closed);
        EXPECT_EQ(builder.PDBbuild(), ERR_WRITE_MODE_REQUIRED);
        EXPECT_EQ(builder.PDBload2(file("Anne_Courant.pdb")), ERR_INVALID_FILENAME);
        EXPECT_EQ(builder.mode(), TTrellisk::Mode::Closed);
    }
    // The index that could not be read is still there as it was.
    EXPECT_TRUE(std::filesystem::is_directory(dir_.path() / "dir.ind"));
}

TEST_F(BuilderTest, ExportAndBackupFindEachOtherThroughTheIndex) {
    // Export: the file keeps its name, the handheld database is called Budget0 and
    // carries the account's name as its app-info block.
    ASSERT_EQ(
        builder_->PDBopen2(file("Jean Dupont_Courant"), "ABCD", "DATA", "Jean Dupont_Courant.pdb"),
        NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("a", "xy"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string exported = contents("Jean Dupont_Courant.pdb");
    EXPECT_TRUE(test::ownerOnly(file("Jean Dupont_Courant.pdb")));
    EXPECT_EQ(exported.substr(0, 8), std::string("Budget0") + '\0');
    EXPECT_EQ(exported.substr(52, 4), fromHex("00 00 00 60")); // 80 + 2 records of 8
    EXPECT_EQ(exported.substr(96, 24), std::string("Jean Dupont_Courant.pdb") + '\0');
    EXPECT_EQ(exported.substr(76, 2), fromHex("00 02"));

    // HotSync saves the handheld copy under its handheld name in the backup folder.
    std::filesystem::create_directory(dir_.path() / "Backup");
    std::filesystem::copy_file(file("Jean Dupont_Courant.pdb"), file("Backup/Budget0.pdb"));
    ASSERT_EQ(builder_->PDBload2(file("Backup/Jean_Dupont_Courant.pdb")), NO_ERROR);
    ASSERT_EQ(builder_->PDBgetRecord(1), NO_ERROR);
    std::string s;
    EXPECT_EQ(builder_->PDBgetStrField("a", s), NO_ERROR);
    EXPECT_EQ(s, "xy");
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);

    // The categories keep their own name; a plain open writes no app-info block.
    ASSERT_EQ(builder_->PDBopen2(file("Rubriques"), "ABCD", "DATA", "Rubriques.pdb"), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    EXPECT_EQ(contents("Rubriques.pdb").substr(0, 10), std::string("Rubriques") + '\0');
    open("Plain");
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    EXPECT_EQ(contents("Plain.pdb").substr(52, 4), fromHex("00 00 00 00"));
}

} // namespace
} // namespace trellisk
