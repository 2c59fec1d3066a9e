#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileIO.h"
#include "platform/MappedFile.h"
#include "support/TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(FileIO, SplitsLinesAtEveryKindOfLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n\n", {"", ""}},
    };
    for (const auto& c : cases) {
        const auto lines = splitLines(c.text);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.lines);
    }
}

TEST(FileIO, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    const ledgora::testing::TempFolder folder;
    const fs::path& dir = folder.path();
    const fs::path file = dir / "a.ldg";
    ASSERT_TRUE(writeFileAtomically(file, "first"));
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(readFile(file).value(), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(FileIO, FailedWriteReportsFailure) {
    EXPECT_FALSE(writeFileAtomically("/nonexistent-folder/x/a.ldg", "data"));
    EXPECT_FALSE(readFile("/nonexistent-folder/x/a.ldg").has_value());
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(FileIO, ModesAreTheUsersAloneAndNeverWiderThanTheFileReplaced) {
    const ledgora::testing::TempFolder folder;
    const fs::path& dir = folder.path();
    struct Case {
        const char* what;
        FileAccess access;
        mode_t existing; // 0: no file before
        mode_t mask;
        mode_t expected;
    };
    const Case cases[] = {
        {"private, new, permissive umask", FileAccess::Private, 0, 0, 0600},
        {"private replacing a readable file", FileAccess::Private, 0644, 022, 0600},
        {"shared, new", FileAccess::Shared, 0, 022, 0644},
        {"shared keeps a narrower file's mode", FileAccess::Shared, 0640, 0, 0640},
        {"shared never widens a private file", FileAccess::Shared, 0600, 0, 0600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = dir / "a.ldg";
        fs::remove(file);
        if (c.existing != 0) {
            ASSERT_TRUE(writeFileAtomically(file, "old"));
            ::chmod(file.c_str(), c.existing);
        }
        const mode_t before = ::umask(c.mask);
        ASSERT_TRUE(writeFileAtomically(file, "new", c.access));
        ::umask(before);
        EXPECT_EQ(modeOf(file), c.expected);
        EXPECT_EQ(readFile(file).value(), "new");
    }
}

TEST(FileIO, PrivateFoldersAreMadeAndNarrowed) {
    const ledgora::testing::TempFolder folder;
    const fs::path& dir = folder.path();
    const mode_t before = ::umask(0);
    ASSERT_TRUE(createPrivateFolders(dir / "Orvand" / "Ledgora" / "Anne"));
    ::umask(before);
    EXPECT_EQ(modeOf(dir / "Orvand"), 0700u);
    EXPECT_EQ(modeOf(dir / "Orvand" / "Ledgora" / "Anne"), 0700u);
    ::chmod((dir / "Orvand").c_str(), 0755);
    ASSERT_TRUE(createPrivateFolders(dir / "Orvand"));
    EXPECT_EQ(modeOf(dir / "Orvand"), 0700u);
    ASSERT_TRUE(writeFileAtomically(dir / "file", "x"));
    EXPECT_FALSE(createPrivateFolders(dir / "file"));
}

TEST(FileIO, TemporaryFilesOfKilledSavesAreRemovedAtTheNextWrite) {
    const ledgora::testing::TempFolder folder;
    const fs::path& dir = folder.path();
    auto make = [&](const std::string& name, bool old) {
        const int fd = ::open((dir / name).c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
        if (old) {
            const struct timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, (dir / name).c_str(), times, 0), 0);
        }
    };
    make(".Courant.ldg.ledgora-Ab12Cd", true);  // its writer was killed an hour ago
    make(".Courant.ldg.ledgora-Xy34Zw", false); // may still be being written
    make(".Courant.ldg.ledgora-Live01", true);  // its writer holds it
    make(".notes.txt", true);                   // not ours
    make("Epargne.ldg.ledgora-Ab12Cd", true);   // not a temporary name
    const int live = ::open((dir / ".Courant.ldg.ledgora-Live01").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    ASSERT_TRUE(writeFileAtomically(dir / "Courant.ldg", "saved"));
    EXPECT_FALSE(fs::exists(dir / ".Courant.ldg.ledgora-Ab12Cd"));
    for (const char* kept : {".Courant.ldg.ledgora-Xy34Zw", ".Courant.ldg.ledgora-Live01",
                             ".notes.txt", "Epargne.ldg.ledgora-Ab12Cd", "Courant.ldg"}) {
        EXPECT_TRUE(fs::exists(dir / kept)) << kept;
    }
    ::close(live);
}

TEST(FileIO, OnlyRegularFilesAreRead) {
    const ledgora::testing::TempFolder folder;
    const fs::path& dir = folder.path();
    ASSERT_EQ(::mkfifo((dir / "planning.pla").c_str(), 0600), 0);
    struct Case {
        fs::path path;
        FileRead::Status status;
    };
    const Case cases[] = {
        {dir / "planning.pla", FileRead::Status::NotRegular}, // would wait for a writer
        {"/dev/zero", FileRead::Status::NotRegular},          // would never end
        {dir, FileRead::Status::NotRegular},
        {dir / "absent", FileRead::Status::Missing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tryReadFile(c.path).status, c.status) << c.path;
        EXPECT_FALSE(readFile(c.path).has_value()) << c.path;
        EXPECT_FALSE(MappedFile(c.path).ok()) << c.path;
    }
}

} // namespace
} // namespace platform
