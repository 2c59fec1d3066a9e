#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileIO.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
    const fs::path p =
        fs::temp_directory_path() / ("ledgora-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

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
    const fs::path dir = freshFolder("fileio");
    const fs::path file = dir / "a.ldg";
    ASSERT_TRUE(writeFileAtomically(file, "first"));
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(readFile(file).value(), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(FileIO, FailedWriteReportsFailure) {
    EXPECT_FALSE(writeFileAtomically("/nonexistent-folder/x/a.ldg", "data"));
    EXPECT_FALSE(readFile("/nonexistent-folder/x/a.ldg").has_value());
}

} // namespace
} // namespace platform
