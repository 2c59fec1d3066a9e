#include <gtest/gtest.h>

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

TEST(RegFile, RefusesWhatIsNotARegistryFile) {
    RegistryTree t;
    for (const std::string text :
         {"", "hello\r\n[HKEY_CURRENT_USER\\A]\r\n", "Windows Registry Editor Version 5.00\r\n"}) {
        EXPECT_FALSE(readRegFile(text, {&t, &t})) << text;
    }
    EXPECT_TRUE(t.empty());
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
