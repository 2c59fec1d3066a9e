#include <gtest/gtest.h>

#include "platform/Cp1252.h"
#include "platform/TextCase.h"

namespace platform {
namespace {

TEST(Cp1252, ConvertsBothWays) {
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"plain ASCII", "plain ASCII"},       {"Num\xE9ro", "Numéro"},
        {"\x80 \x9C \x8C", "€ œ Œ"},          {"\xC0\xFF", "Àÿ"},
        {"Pr\xE9l\xE8vement", "Prélèvement"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1252ToUtf8(c.bytes), c.utf8) << c.utf8;
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes) << c.utf8;
    }
}

TEST(Cp1252, UndefinedBytesSurviveARoundTrip) {
    const std::string bytes = "\x81\x8D\x8F\x90\x9D";
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(bytes)), bytes);
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("日本"), "??");
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");         // truncated sequence
    EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???"); // surrogate
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80x"), "?x");
}

TEST(TextCase, FoldsAsciiAndLatinCapitals) {
    EXPECT_TRUE(equalsIgnoreCase("Cinéma", "CINÉMA"));
    EXPECT_TRUE(equalsIgnoreCase("loyer", "Loyer"));
    EXPECT_FALSE(equalsIgnoreCase("Cinema", "Cinéma"));
    EXPECT_EQ(foldCase("×"), "×"); // not a letter
    EXPECT_EQ(capitalizeFirstAscii("eau potable"), "Eau potable");
    EXPECT_EQ(capitalizeFirstAscii("électricité"), "électricité");
    EXPECT_EQ(capitalizeFirstAscii(""), "");
}

} // namespace
} // namespace platform
