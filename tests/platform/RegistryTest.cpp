#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileIO.h"
#include "platform/Registry.h"
#include "support/TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class RegistryTest : public ::testing::Test {
protected:
    // The hives' folder does not exist yet: the registry makes it.
    ledgora::testing::TempFolder folder_;
    fs::path dir_ = folder_.path() / "registry";
};

TEST_F(RegistryTest, ReadsWithDefaults) {
    Registry reg(dir_);
    const std::string k = "Software\\Orvand\\Ledgora\\Options";
    struct Case {
        const char* text;
        int asInteger;
        bool asBool;
    };
    const Case cases[] = {
        {"42", 42, true}, {"-1", -1, true},          {" 7", 7, true}, {"0", 0, false},
        {"1", 1, true},   {"4x", 99, true},          {"", 99, true},  {"abc", 99, true},
        {"+3", 3, true},  {"99999999999", 99, true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(reg.writeString(Hive::CurrentUser, k, "v", c.text));
        EXPECT_EQ(reg.readInteger(Hive::CurrentUser, k, "v", 99), c.asInteger) << c.text;
        EXPECT_EQ(reg.readBool(Hive::CurrentUser, k, "v", true), c.asBool) << c.text;
    }
    EXPECT_EQ(reg.readInteger(Hive::CurrentUser, k, "absent", -1), -1);
    EXPECT_EQ(reg.readString(Hive::CurrentUser, k, "absent", "c:\\"), "c:\\");
    ASSERT_TRUE(reg.writeDword(Hive::CurrentUser, k, "d", 12));
    EXPECT_EQ(reg.readInteger(Hive::CurrentUser, k, "d", 0), 12);
    EXPECT_EQ(reg.readString(Hive::CurrentUser, k, "d"), "12");
}

TEST_F(RegistryTest, PersistsAndSeesOtherWriters) {
    Registry a(dir_);
    Registry b(dir_);
    ASSERT_TRUE(a.writeBool(Hive::CurrentUser, "K", "Sons", false));
    EXPECT_FALSE(b.readBool(Hive::CurrentUser, "K", "Sons", true));
    ASSERT_TRUE(b.writeInteger(Hive::CurrentUser, "K", "ChooseIndex", 3));
    EXPECT_EQ(a.readInteger(Hive::CurrentUser, "K", "ChooseIndex", -1), 3);
    EXPECT_TRUE(a.valueNames(Hive::CurrentUser, "K") ==
                (std::vector<std::string>{"Sons", "ChooseIndex"}));
    ASSERT_TRUE(a.eraseKey(Hive::CurrentUser, "K"));
    EXPECT_FALSE(b.keyExists(Hive::CurrentUser, "K"));
    EXPECT_FALSE(b.keyExists(Hive::ClassesRoot, "K"));
    EXPECT_TRUE(fs::exists(dir_ / "HKEY_CURRENT_USER.reg"));
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 40;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            Registry reg(dir_);
            for (int i = 0; i < kWrites; ++i) {
                reg.writeInteger(Hive::CurrentUser, "Shared\\P" + std::to_string(child),
                                 "v" + std::to_string(i), i);
            }
            ::_exit(0);
        }
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
    }
    Registry reg(dir_);
    for (int child = 0; child < 2; ++child) {
        EXPECT_EQ(reg.valueNames(Hive::CurrentUser, "Shared\\P" + std::to_string(child)).size(),
                  static_cast<std::size_t>(kWrites));
    }
}

TEST_F(RegistryTest, ExportsAndImportsASubtree) {
    Registry reg(dir_ / "hives");
    const std::string root = "Software\\Orvand\\Ledgora";
    reg.writeString(Hive::CurrentUser, root + "\\Users\\Anne", "Password", "12345");
    reg.writeString(Hive::CurrentUser, root + "\\Users\\Anne\\Courant", "Euro", "0");
    reg.writeString(Hive::CurrentUser, "Software\\Other", "x", "1");
    const fs::path backup = dir_ / "Ledgora.reg";
    ASSERT_TRUE(reg.exportKey(Hive::CurrentUser, root, backup));

    reg.eraseKey(Hive::CurrentUser, root);
    reg.writeString(Hive::CurrentUser, root + "\\Users\\Bob", "Password", "");
    ASSERT_TRUE(reg.importFile(backup));
    EXPECT_EQ(reg.readString(Hive::CurrentUser, root + "\\Users\\Anne", "Password"), "12345");
    EXPECT_EQ(reg.readString(Hive::CurrentUser, root + "\\Users\\Anne\\Courant", "Euro"), "0");
    EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, root + "\\Users\\Bob"));
    EXPECT_EQ(reg.readString(Hive::CurrentUser, "Software\\Other", "x"), "1");

    EXPECT_FALSE(reg.importFile(dir_ / "missing.reg"));
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    ASSERT_TRUE(writeFileAtomically(p, bytes));
}

const std::string kUsers = "Software\\Orvand\\Ledgora\\Users";

// A hive that cannot be read whole is never written over: it goes aside, the user is
// told once, and what could be read is kept.
TEST_F(RegistryTest, AHiveThatCannotBeReadWholeIsSetAsideNotWrittenOver) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> damage;
        std::string kept; // a password still readable afterwards, or empty
    };
    const std::string deep = std::string(300, 'x');
    const Case cases[] = {
        {"not a registry file",
         [](const fs::path& hive) { writeBytes(hive, std::string("\x00\x01\x02 junk", 8)); }, ""},
        {"a key beyond the limits beside good ones",
         [&](const fs::path& hive) {
             writeBytes(hive, "REGEDIT4\r\n[HKEY_CURRENT_USER\\" + kUsers +
                                  "\\Anne]\r\n\"Password\"=\"1234\"\r\n[HKEY_CURRENT_USER\\" +
                                  kUsers + "\\" + deep + "]\r\n\"Password\"=\"9\"\r\n");
         },
         "1234"},
        {"a folder in its place", [](const fs::path& hive) { fs::create_directories(hive); }, ""},
        {"a FIFO in its place",
         [](const fs::path& hive) {
             fs::create_directories(hive.parent_path());
             ASSERT_EQ(::mkfifo(hive.c_str(), 0600), 0);
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_);
        const fs::path hive = dir_ / "HKEY_CURRENT_USER.reg";
        c.damage(hive);
        if (fs::is_regular_file(hive)) {
            ::chmod(hive.c_str(), 0644); // as an earlier version left it
        }
        const std::string before = fs::is_regular_file(hive) ? readFile(hive).value() : "";

        Registry reg(dir_);
        EXPECT_EQ(reg.readString(Hive::CurrentUser, kUsers + "\\Anne", "Password"), c.kept);
        const auto notices = reg.takeNotices();
        ASSERT_EQ(notices.size(), 1u);
        const fs::path aside = dir_ / "HKEY_CURRENT_USER.illisible.reg";
        EXPECT_NE(notices[0].find(aside.string()), std::string::npos) << notices[0];
        ASSERT_TRUE(fs::exists(fs::symlink_status(aside)));
        if (!before.empty()) {
            EXPECT_EQ(readFile(aside).value(), before);
            EXPECT_EQ(modeOf(aside), 0600u);
        }
        // Work goes on, and the next start reads what was kept without a word.
        ASSERT_TRUE(reg.writeString(Hive::CurrentUser, kUsers + "\\Bob", "Password", "55"));
        Registry next(dir_);
        EXPECT_EQ(next.readString(Hive::CurrentUser, kUsers + "\\Anne", "Password"), c.kept);
        EXPECT_EQ(next.readString(Hive::CurrentUser, kUsers + "\\Bob", "Password"), "55");
        EXPECT_TRUE(next.takeNotices().empty());
        EXPECT_TRUE(reg.takeNotices().empty());
    }
    // A second damaged hive goes beside the first one, which stays.
    writeBytes(dir_ / "HKEY_CURRENT_USER.reg", "damaged again");
    Registry again(dir_);
    again.keyExists(Hive::CurrentUser, kUsers);
    EXPECT_EQ(again.takeNotices().size(), 1u);
    EXPECT_EQ(readFile(dir_ / "HKEY_CURRENT_USER.illisible-2.reg").value(), "damaged again");
}

TEST_F(RegistryTest, HivesOfOtherToolsAreReadAndRewrittenInFull) {
    // As the system's editor writes it: version 5, UTF-16LE with its mark.
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" +
                              kUsers + "\\Anne]\r\n\"Password\"=\"1234\"\r\n")) {
        bytes += c;
        bytes += '\0';
    }
    writeBytes(dir_ / "HKEY_CURRENT_USER.reg", bytes);
    Registry reg(dir_);
    EXPECT_EQ(reg.readString(Hive::CurrentUser, kUsers + "\\Anne", "Password"), "1234");
    ASSERT_TRUE(reg.writeString(Hive::CurrentUser, kUsers + "\\Bob", "Password", ""));
    EXPECT_TRUE(reg.takeNotices().empty());
    EXPECT_EQ(readFile(dir_ / "HKEY_CURRENT_USER.reg").value().substr(0, 8), "REGEDIT4");
    EXPECT_EQ(Registry(dir_).readString(Hive::CurrentUser, kUsers + "\\Anne", "Password"), "1234");

    // The backup's import takes the same files, and refuses one with keys beyond the limits.
    writeBytes(dir_ / "import.reg", bytes);
    reg.eraseKey(Hive::CurrentUser, kUsers);
    ASSERT_TRUE(reg.importFile(dir_ / "import.reg"));
    EXPECT_EQ(reg.readString(Hive::CurrentUser, kUsers + "\\Anne", "Password"), "1234");
    writeBytes(dir_ / "hostile.reg", "REGEDIT4\r\n[HKEY_CURRENT_USER\\" + kUsers +
                                         "\\Eve]\r\n\"Password\"=\"1\"\r\n[HKEY_CURRENT_USER\\" +
                                         std::string(256, 'k') + "]\r\n");
    EXPECT_FALSE(reg.importFile(dir_ / "hostile.reg"));
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, kUsers + "\\Eve"));
}

TEST_F(RegistryTest, NamesThatWouldBreakALineAreRefused) {
    Registry reg(dir_);
    ASSERT_TRUE(reg.writeString(Hive::CurrentUser, kUsers + "\\alice", "Password", "1111"));
    // A user "alice" + LF + a key line must not reach alice's password.
    const std::string hostile = kUsers + "\\alice\n[HKEY_CURRENT_USER\\" + kUsers + "\\alice]";
    EXPECT_FALSE(reg.writeString(Hive::CurrentUser, hostile, "Password", "2222"));
    EXPECT_FALSE(reg.createKey(Hive::CurrentUser, hostile));
    EXPECT_FALSE(reg.writeString(Hive::CurrentUser, kUsers + "\\alice", "P\r\n\"Password", "3"));
    EXPECT_EQ(Registry(dir_).readString(Hive::CurrentUser, kUsers + "\\alice", "Password"), "1111");
    EXPECT_EQ(Registry(dir_).subKeys(Hive::CurrentUser, kUsers), std::vector<std::string>{"alice"});
}

TEST_F(RegistryTest, HivesAreTheUsersAlone) {
    const mode_t mask = ::umask(0);
    fs::create_directories(dir_);
    ::chmod(dir_.c_str(), 0755);
    const fs::path hive = dir_ / "HKEY_CURRENT_USER.reg";
    writeBytes(hive, "REGEDIT4\r\n");
    ::chmod(hive.c_str(), 0644); // as an earlier version left it
    Registry reg(dir_);
    ASSERT_TRUE(reg.writeString(Hive::CurrentUser, kUsers + "\\Anne", "Password", "1234"));
    EXPECT_EQ(modeOf(hive), 0600u);
    EXPECT_EQ(modeOf(dir_), 0700u);
    EXPECT_EQ(modeOf(dir_ / "HKEY_CURRENT_USER.reg.lock"), 0600u);
    ::umask(mask);

    // A lock file planted as a symbolic link is not followed: nothing is written through it.
    const fs::path other = dir_ / "HKEY_CLASSES_ROOT.reg.lock";
    fs::create_symlink(dir_ / "elsewhere", other);
    EXPECT_FALSE(reg.writeString(Hive::ClassesRoot, "CLSID", "x", "1"));
    EXPECT_FALSE(fs::exists(dir_ / "elsewhere"));
}

} // namespace
} // namespace platform
