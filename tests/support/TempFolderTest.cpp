#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempFolder.h"

namespace ledgora::testing {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, EachIsPrivateNamedAfterItsTestAndGoneAfterwards) {
    fs::path first;
    {
        const TempFolder a;
        const TempFolder b;
        first = a.path();
        EXPECT_NE(a.path(), b.path());
        for (const TempFolder* f : {&a, &b}) {
            EXPECT_TRUE(fs::is_directory(fs::symlink_status(f->path())));
            EXPECT_EQ(fs::status(f->path()).permissions() & fs::perms::all, fs::perms::owner_all);
            EXPECT_NE(f->path().filename().string().find(
                          "-TempFolder.EachIsPrivateNamedAfterItsTestAndGoneAfterwards-"),
                      std::string::npos)
                << f->path();
        }
        std::ofstream(a.file("inside.txt")) << "x";
        fs::create_directories(a.path() / "sub" / "deeper");
    }
    EXPECT_FALSE(fs::exists(first));
}

TEST(TempFolder, ACurrentFolderInsideMovesOutAndOneOutsideStays) {
    const fs::path start = fs::current_path();
    const TempFolder outer;
    {
        const TempFolder inner;
        fs::create_directories(inner.path() / "sub");
        fs::current_path(inner.path() / "sub");
    }
    EXPECT_EQ(fs::current_path(), fs::canonical(fs::temp_directory_path()));
    {
        fs::current_path(outer.path());
        const TempFolder beside;
    }
    EXPECT_EQ(fs::current_path(), fs::canonical(outer.path()));
    fs::current_path(start);
}

} // namespace
} // namespace ledgora::testing
