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

} // namespace
} // namespace ledgora::testing
