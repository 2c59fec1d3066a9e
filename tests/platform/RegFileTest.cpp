#include <gtest/gtest.h>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/RegFile.h"

namespace platform {
namespace {

const std::string kRoot = "Software\\Orvand\\Ledgora";

RegistryTree sampleTree() {
    RegistryTree t;
    t.createKey(kRoot);
    t.setValue(kRoot + "\\Options", "NewSoldeInEuro", RegistryValue::string("1"));
    t.setValue(kRoot + "\\Options", "CheminBackup", RegistryValue::string("A:\\"));
    t.setValue(kRoot + "\\Options", "Quote", RegistryValue::string("say \"oui\""));
    t.setValue(kRoot + "\\Options", "Counter", RegistryValue::number(42));
    t.setValue(kRoot + "\\Users\\Zoé", "Password", RegistryValue::string(""));
    t.setValue(kRoot + "\\Users\\Zoé\\Courant", "Euro", RegistryValue::string("1"));
    t.setValue(kRoot + "\\Users\\Zoé\\Courant", "Numéro", RegistryValue::string("12 345"));
    t.setValue(kRoot + "\\Users\\Zoé\\Courant", "Adresse", RegistryValue::string("1 rue\r\nParis"));
    t.setValue("Software\\Other", "x", RegistryValue::string("not exported"));
    return t;
}

std::string golden() {
    return readFile(std::string(LEDGORA_TEST_DATA) + "/platform/settings.reg").value();
}

TEST(RegFile, WritesASubtreeByteForByte) {
    EXPECT_EQ(writeRegFile(sampleTree(), Hive::CurrentUser, kRoot), golden());
}

TEST(RegFile, ReadsBackWhatItWrote) {
    RegistryTree read;
    ASSERT_TRUE(readRegFile(golden(), {&read, nullptr}));
    EXPECT_EQ(writeRegFile(read, Hive::CurrentUser, kRoot), golden());
    EXPECT_EQ(read.value(kRoot + "\\Users\\Zoé\\Courant", "Adresse")->text, "1 rue\r\nParis");
    EXPECT_EQ(read.value(kRoot + "\\Options", "counter")->dword, 42u);
    EXPECT_EQ(read.subKeys(kRoot + "\\Users"), std::vector<std::string>{"Zoé"});
}

TEST(RegFile, AppliesDeletionsCommentsAndContinuedLines) {
    RegistryTree t = sampleTree();
    const std::string text = "REGEDIT4\r\n"
                             "; a comment\r\n"
                             "[-HKEY_CURRENT_USER\\Software\\Orvand\\Ledgora\\Users]\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Orvand\\Ledgora\\Options]\r\n"
                             "\"Quote\"=-\r\n"
                             "\"Bin\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "\"Wide\"=hex(2):41,00\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\X]\r\n"
                             "\"Skipped\"=\"1\"\r\n"
                             "[HKEY_CLASSES_ROOT\\CLSID\\{1}]\r\n"
                             "@=\"Class\"\r\n";
    RegistryTree classes;
    ASSERT_TRUE(readRegFile(text, {&t, &classes}));
    EXPECT_FALSE(t.keyExists(kRoot + "\\Users\\Zoé"));
    EXPECT_EQ(t.value(kRoot + "\\Options", "Quote"), nullptr);
    EXPECT_EQ(t.value(kRoot + "\\Options", "Bin")->text, "hex:01,02,03,04");
    EXPECT_EQ(t.value(kRoot + "\\Options", "Wide")->type, RegistryValue::Type::Raw);
    EXPECT_FALSE(t.keyExists("Software\\X"));
    EXPECT_EQ(classes.value("CLSID\\{1}", "")->text, "Class");
}

// The bytes of UTF-16LE text, with the byte-order mark the system's editor writes.
std::string utf16le(std::u16string_view text, bool mark = true) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

TEST(RegFile, ReadsWhatOtherToolsWrite) {
    struct Case {
        const char* what;
        std::string bytes;
        RegFileFormat format;
    };
    const std::string body = "[HKEY_CURRENT_USER\\Software\\Orvand\\Ledgora\\Users\\Zoé]\r\n"
                             "\"Password\"=\"2937129371\"\r\n";
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBFREGEDIT4\r\n\r\n" + body, RegFileFormat::Regedit4},
        {"UTF-8 mark on ANSI bytes", "\xEF\xBB\xBFREGEDIT4\r\n" + utf8ToCp1252(body),
         RegFileFormat::Regedit4},
        {"blank lines before the header", "\r\n  \r\n\nREGEDIT4\r\n" + utf8ToCp1252(body),
         RegFileFormat::Regedit4},
        {"version 5 in UTF-16LE",
         utf16le(u"Windows Registry Editor Version 5.00\r\n\r\n"
                 u"[HKEY_CURRENT_USER\\Software\\Orvand\\Ledgora\\Users\\Zoé]\r\n"
                 u"\"Password\"=\"2937129371\"\r\n"),
         RegFileFormat::Version5},
        {"version 5 in UTF-8", "Windows Registry Editor Version 5.00\r\n" + body,
         RegFileFormat::Version5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegistryTree t;
        const RegFileReport report = readRegFile(c.bytes, {&t, nullptr});
        ASSERT_TRUE(report);
        EXPECT_EQ(report.format, c.format);
        EXPECT_EQ(report.keysRefused, 0u);
        EXPECT_EQ(t.subKeys(kRoot + "\\Users"), std::vector<std::string>{"Zoé"});
        ASSERT_NE(t.value(kRoot + "\\Users\\Zoé", "Password"), nullptr);
        EXPECT_EQ(t.value(kRoot + "\\Users\\Zoé", "Password")->text, "2937129371");
    }
}

TEST(RegFile, Version5HexStringsAreUtf16) {
    RegistryTree t;
    const std::string text = utf16le(u"Windows Registry Editor Version 5.00\r\n"
                                     u"[HKEY_CURRENT_USER\\A]\r\n"
                                     u"\"s\"=hex(1):e9,00,74,00,e9,00,00,00\r\n"
                                     u"\"x\"=hex(2):25,00,50,00,\\\r\n  e9,00,00,00\r\n"
                                     u"\"w\"=\"\u0141\"\r\n");
    ASSERT_TRUE(readRegFile(text, {&t, nullptr}));
    EXPECT_EQ(t.value("A", "s")->text, "été");
    // Held as REGEDIT4 writes it: ANSI bytes.
    EXPECT_EQ(t.value("A", "x")->text, "hex(2):25,50,e9,00");
    // Beyond the code page: kept in memory, written as "?" like every ANSI file.
    EXPECT_EQ(t.value("A", "w")->text, "Ł");
    EXPECT_NE(writeRegFile(t, Hive::CurrentUser).find("\"w\"=\"?\""), std::string::npos);
}

TEST(RegFile, RefusesWhatIsNotARegistryFile) {
    RegistryTree t;
    for (const std::string& text :
         {std::string(), std::string("hello\r\n[HKEY_CURRENT_USER\\A]\r\n"),
          std::string("REGEDIT5\r\n"), std::string("\0\x01\x02REGEDIT4", 11),
          std::string("\r\n\r\n"), utf16le(u"REGEDIT", false)}) {
        EXPECT_FALSE(readRegFile(text, {&t, &t})) << text;
    }
    EXPECT_TRUE(t.empty());
}

TEST(RegFile, KeysBeyondTheRegistryLimitsAreSkippedAndCounted) {
    std::string deepest;
    for (std::size_t i = 0; i < RegistryTree::kMaxDepth; ++i) {
        deepest += (i == 0 ? "" : "\\") + std::string("k");
    }
    const std::string longest(RegistryTree::kMaxKeyNameLength, 'n');
    const std::string text = "\xEF\xBB\xBFREGEDIT4\r\n" // UTF-8, for the Polish name
                             "[HKEY_CURRENT_USER\\A]\r\n\"kept\"=\"1\"\r\n"
                             "[HKEY_CURRENT_USER\\A\\" +
                             longest +
                             "n]\r\n\"lost\"=\"1\"\r\n"
                             "[HKEY_CURRENT_USER\\" +
                             deepest +
                             "\\k]\r\n\"lost\"=\"2\"\r\n"
                             "[HKEY_CURRENT_USER\\A\\ctl\x01]\r\n\"lost\"=\"3\"\r\n"
                             "[HKEY_CURRENT_USER\\A\\Łódź]\r\n\"lost\"=\"4\"\r\n"
                             "[HKEY_CURRENT_USER\\A\\" +
                             longest +
                             "]\r\n\"at limit\"=\"1\"\r\n"
                             "[HKEY_CURRENT_USER\\" +
                             deepest + "]\r\n\"at limit\"=\"2\"\r\n";
    RegistryTree t;
    const RegFileReport report = readRegFile(text, {&t, nullptr});
    ASSERT_TRUE(report);
    EXPECT_EQ(report.keysRefused, 4u);
    // The values of a refused key go nowhere, not to the key before it.
    EXPECT_EQ(t.valueNames("A"), std::vector<std::string>{"kept"});
    EXPECT_EQ(t.subKeys("A"), std::vector<std::string>{longest});
    EXPECT_EQ(t.value(deepest, "at limit")->text, "2");
    EXPECT_FALSE(t.createKey(deepest + "\\k"));
    EXPECT_FALSE(t.setValue("A\\" + longest + "x", "v", RegistryValue::string("1")));
    EXPECT_FALSE(t.keyExists("A\\" + longest + "x"));
}

TEST(RegFile, AFileGrowsWithItsContentNotWithItsDepth) {
    // The deepest key the registry allows, with long names: one line, written once.
    std::string path;
    for (std::size_t i = 0; i < RegistryTree::kMaxDepth; ++i) {
        path += (i == 0 ? "" : "\\") + std::string(200, static_cast<char>('a' + i % 26));
    }
    RegistryTree t;
    ASSERT_TRUE(t.setValue(path, "v", RegistryValue::string("1")));
    const std::string written = writeRegFile(t, Hive::CurrentUser);
    EXPECT_LT(written.size(), path.size() + 100);
    RegistryTree again;
    ASSERT_TRUE(readRegFile(written, {&again, nullptr}));
    EXPECT_EQ(writeRegFile(again, Hive::CurrentUser), written);
    // An empty key with nothing below it is still written: it exists.
    t.createKey("Empty");
    EXPECT_NE(writeRegFile(t, Hive::CurrentUser).find("[HKEY_CURRENT_USER\\Empty]\r\n"),
              std::string::npos);
}

TEST(RegFile, NothingBreaksALine) {
    RegistryTree t;
    // Key and value names holding a line end are refused by the tree itself ...
    EXPECT_FALSE(t.setValue("Users\\alice\n[HKEY_CURRENT_USER\\Users\\bob]", "Password",
                            RegistryValue::string("1")));
    EXPECT_FALSE(t.setValue("Users\\alice", "Password\r\n\"Other\"", RegistryValue::string("1")));
    EXPECT_TRUE(t.empty());
    // ... and values holding any control character are written as hex.
    const std::string texts[] = {"a\nb", "tab\there", "bell\x07", "del\x7f", "c1\u0081"};
    for (const std::string& text : texts) {
        t.setValue("K", "v", RegistryValue::string(text));
        const std::string written = writeRegFile(t, Hive::CurrentUser);
        EXPECT_NE(written.find("\"v\"=hex(1):"), std::string::npos) << text;
        for (std::string_view line : splitLines(written)) {
            EXPECT_TRUE(line.empty() || line == "REGEDIT4" || line.front() == '[' ||
                        line.front() == '"')
                << line;
        }
        RegistryTree back;
        ASSERT_TRUE(readRegFile(written, {&back, nullptr}));
        EXPECT_EQ(back.value("K", "v")->text, text);
    }
    // A control character the code page cannot hold is written "?", between quotes.
    t.setValue("K", "v", RegistryValue::string("next\u0085line"));
    EXPECT_NE(writeRegFile(t, Hive::CurrentUser).find("\"v\"=\"next?line\""), std::string::npos);
    // A string ends at its first NUL, however it is written or read.
    t.setValue("K", "v", RegistryValue::string(std::string("cut\0here\n", 9)));
    RegistryTree back;
    ASSERT_TRUE(readRegFile(writeRegFile(t, Hive::CurrentUser), {&back, nullptr}));
    EXPECT_EQ(back.value("K", "v")->text, "cut");
    constexpr char kQuotedNul[] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"a\0b\"\r\n";
    ASSERT_TRUE(readRegFile(std::string(kQuotedNul, sizeof kQuotedNul - 1), {&back, nullptr}));
    EXPECT_EQ(back.value("K", "v")->text, "a");
}

TEST(RegFile, SurvivesMalformedLines) {
    RegistryTree t;
    const std::string text = "REGEDIT4\r\n[HKEY_CURRENT_USER\r\n[HKEY_CURRENT_USER\\A]\r\n"
                             "\"unterminated=\"x\"\r\n\"v\"\r\n\"d\"=dword:xyz\r\n"
                             "\"d2\"=dword:123456789\r\n\"h\"=hex(1):4\r\n\"ok\"=\"yes\"\r\n";
    ASSERT_TRUE(readRegFile(text, {&t, nullptr}));
    EXPECT_EQ(t.valueNames("A"), std::vector<std::string>{"ok"});
}

TEST(RegFile, WhatItReadsItWritesAndReadsBackTheSame) {
    const std::string texts[] = {
        // hex data continued onto an empty line leaves a trailing backslash behind
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=hex:01,\\\\\r\n\r\n\"y\"=\"1\"\r\n",
        // a string line ending with a backslash outside hex data is not continued
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"a\\\r\n\"y\"=\"2\"\r\n",
    };
    for (const auto& text : texts) {
        RegistryTree first;
        ASSERT_TRUE(readRegFile(text, {&first, nullptr}));
        const std::string written = writeRegFile(first, Hive::CurrentUser);
        RegistryTree second;
        ASSERT_TRUE(readRegFile(written, {&second, nullptr}));
        EXPECT_EQ(writeRegFile(second, Hive::CurrentUser), written) << written;
        EXPECT_EQ(second.value("A", "y") != nullptr, true) << written;
    }
}

TEST(RegistryTree, KeysIgnoreCaseAndErasingKeepsSiblings) {
    RegistryTree t;
    t.setValue("A\\B", "v", RegistryValue::string("1"));
    t.setValue("A B", "v", RegistryValue::string("2"));
    t.setValue("a\\b\\C", "v", RegistryValue::string("3"));
    EXPECT_EQ(t.subKeys("a"), std::vector<std::string>{"B"});
    EXPECT_EQ(t.subKeys(""), (std::vector<std::string>{"A", "A B"}));
    EXPECT_TRUE(t.eraseKey("a\\B"));
    EXPECT_FALSE(t.keyExists("A\\B\\C"));
    EXPECT_TRUE(t.keyExists("A"));
    EXPECT_EQ(t.value("A B", "V")->text, "2");
}

} // namespace
} // namespace platform
