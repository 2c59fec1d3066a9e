#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Registry.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("ledgora-registry-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
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

} // namespace
} // namespace platform
