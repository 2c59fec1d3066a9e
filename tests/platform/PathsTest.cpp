#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Paths.h"

namespace platform {
namespace {

TEST(Paths, LayOutTheDataFolder) {
    const Paths p("/r", "/r/registry", "/prog");
    EXPECT_EQ(p.dataFolder(), "/r/Orvand/Ledgora");
    EXPECT_EQ(p.accountFile("Anne", "Courant"), "/r/Orvand/Ledgora/Anne/Courant.ldg");
    EXPECT_EQ(p.planningFile("Anne", "Courant"), "/r/Orvand/Ledgora/Anne/Courant.pla");
    EXPECT_EQ(p.dataFile("Rubriques.txt"), "/r/Orvand/Ledgora/Rubriques.txt");
    EXPECT_EQ(p.programFile("cred.wav"), "/prog/cred.wav");
}

TEST(Paths, FollowTheEnvironment) {
    const char* saved = std::getenv("LEDGORA_HOME");
    const std::string keep = saved != nullptr ? saved : "";

    ::setenv("LEDGORA_HOME", "/portable", 1);
    const Paths portable = Paths::fromEnvironment("/prog");
    EXPECT_EQ(portable.dataFolder(), "/portable/Orvand/Ledgora");
    EXPECT_EQ(portable.registryFolder(), "/portable/registry");

    ::unsetenv("LEDGORA_HOME");
    ::setenv("XDG_DATA_HOME", "/xdg/data", 1);
    ::setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
    const Paths xdg = Paths::fromEnvironment("/prog");
    EXPECT_EQ(xdg.dataFolder(), "/xdg/data/Orvand/Ledgora");
    EXPECT_EQ(xdg.registryFolder(), "/xdg/config/Orvand");

    if (saved != nullptr) {
        ::setenv("LEDGORA_HOME", keep.c_str(), 1);
    }
}

} // namespace
} // namespace platform
