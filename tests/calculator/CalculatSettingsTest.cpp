#include <gtest/gtest.h>

#include "platform/SettingsKeys.h"

#include "calculator/CalculatSettings.h"
#include "platform/Registry.h"
#include "support/TempFolder.h"

namespace calculator {
namespace {

constexpr auto kUser = platform::Hive::CurrentUser;

TEST(CalculatSettingsTest, DefaultsWhenTheSectionIsAbsent) {
    ledgora::testing::TempFolder folder;
    const platform::Registry registry(folder.path());
    const CalculatSettings s = CalculatSettings::read(registry);
    EXPECT_EQ(s.lastFile, "");
    EXPECT_FALSE(s.maximised);
    EXPECT_FALSE(s.x.has_value());
    EXPECT_EQ(s.width, 640);
    EXPECT_EQ(s.height, 480);
    EXPECT_TRUE(s.reopenLastFile);
    EXPECT_TRUE(s.promptOnClose);
    EXPECT_FALSE(s.tape);
    EXPECT_EQ(s.decimals.ticks(), DecimalsSetting().ticks());
    EXPECT_EQ(s.fontName, "MS Sans Serif");
    EXPECT_EQ(s.fontHeight, -16);
    EXPECT_EQ(s.fontSize, 12);
}

TEST(CalculatSettingsTest, TheSectionIsErasedAndRewrittenWhole) {
    ledgora::testing::TempFolder folder;
    platform::Registry registry(folder.path());
    const std::string key = platform::settings::calculatorKey();
    EXPECT_EQ(key, "Software\\Orvand\\Ledgora\\Calculat");
    registry.writeString(kUser, key, "Stale", "1");
    registry.writeString(kUser, key + "\\Sub", "v", "1");

    CalculatSettings s;
    s.lastFile = "/home/u/a.CLC";
    s.x = 10;
    s.y = 20;
    s.width = 700;
    s.reopenLastFile = false;
    s.tape = true;
    s.decimals.choose(DecimalsSetting::kFloating);
    s.fontName = "DejaVu Sans Mono";
    s.underline = true;
    ASSERT_TRUE(s.write(registry));

    EXPECT_FALSE(registry.value(kUser, key, "Stale").has_value());
    EXPECT_FALSE(registry.keyExists(kUser, key + "\\Sub"));
    EXPECT_EQ(registry.readString(kUser, key, "Flottante"), "1");
    EXPECT_EQ(registry.readString(kUser, key, "d2"), "0");
    EXPECT_EQ(registry.readString(kUser, key, "soulignépolice"), "1");
    EXPECT_EQ(registry.valueNames(kUser, key).size(), 34u);

    const platform::Registry again(folder.path());
    const CalculatSettings back = CalculatSettings::read(again);
    EXPECT_EQ(back.lastFile, s.lastFile);
    EXPECT_EQ(back.x, 10);
    EXPECT_EQ(back.y, 20);
    EXPECT_EQ(back.width, 700);
    EXPECT_FALSE(back.reopenLastFile);
    EXPECT_TRUE(back.tape);
    EXPECT_EQ(back.decimals.ticks(), s.decimals.ticks());
    EXPECT_EQ(back.fontName, s.fontName);
    EXPECT_TRUE(back.underline);
}

} // namespace
} // namespace calculator
