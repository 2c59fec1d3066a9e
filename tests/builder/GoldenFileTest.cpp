// Whole databases against golden files, and the same files through an independent reader.
// LEDGORA_UPDATE_GOLDEN=1 rewrites the golden files from the current output.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <sstream>

#include "BuilderFixture.h"
#include "IndependentReader.h"
#include "builder/PdbFile.h"

namespace trellisk {
namespace {

using test::BuilderTest;
using test::compactHex;
using test::fromHex;
using test::IndependentReading;
using test::readIndependently;
using test::toHex;

const std::filesystem::path kGolden = std::filesystem::path(LEDGORA_TEST_DATA) / "builder";

class GoldenTest : public BuilderTest {
protected:
    void buildSingle() {
        ASSERT_EQ(builder_->PDBopen(file("single-string"), "ABCD", "DATA", "Budget3.pdb"),
                  NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("a", "xy"), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    }

    void buildMixed() {
        test::writeAll(dir_.path() / "logo.bin", fromHex("00 ff 10"));
        ASSERT_EQ(builder_->PDBopen(file("mixed"), "LDGR", "DATA", "Compte Courant"), NO_ERROR);
        const std::int64_t numbers[] = {0, 14, 15, 224, 225, 3374, 3375, 123456, 4294967296LL};
        for (int i = 0; i < 9; ++i) {
            ASSERT_EQ(builder_->PDBaddStrField("Date", "0" + std::to_string(i + 1) + "/03/2024"),
                      NO_ERROR);
            ASSERT_EQ(builder_->PDBaddNumField("Montant", numbers[i]), NO_ERROR);
            if (i % 3 != 2) { // some records have no note
                ASSERT_EQ(builder_->PDBaddStrField("Note", i == 0 ? "Caf\xE9 cr\xE8me" : ""),
                          NO_ERROR);
            }
            if (i == 4) {
                ASSERT_EQ(builder_->PDBaddBlobField("Logo", file("logo.bin")), NO_ERROR);
                ASSERT_EQ(builder_->PDBaddNumField("montant", 99), NO_ERROR); // a second value
            }
            ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        }
        ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    }

    void buildAccount(bool encoded) {
        ASSERT_EQ(builder_->PDBopen2(file("account"), "LDGR", "DATA", "Jean Dupont_Courant.pdb"),
                  NO_ERROR);
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(builder_->PDBaddStrField("libelle", "Op\xE9ration " + std::to_string(i)),
                      NO_ERROR);
            ASSERT_EQ(builder_->PDBaddNumField("centimes", 1000 * i + 5), NO_ERROR);
            ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        }
        keys_ = {0x10, 0x00, 0xFF, 0x80, 0x7F};
        ASSERT_EQ(encoded ? builder_->PDBbuildEncoded() : builder_->PDBbuild(), NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    }

    void compare(const std::string& built, const std::string& golden) {
        const std::string bytes = contents(built);
        ASSERT_FALSE(bytes.empty());
        if (std::getenv("LEDGORA_UPDATE_GOLDEN") != nullptr) {
            test::writeAll(kGolden / golden, bytes);
        }
        const std::string expected = test::readAll(kGolden / golden);
        ASSERT_FALSE(expected.empty()) << "missing golden file " << golden;
        EXPECT_EQ(toHex(bytes), toHex(expected)) << golden;
    }
};

TEST_F(GoldenTest, BuiltFilesMatchTheGoldenFiles) {
    buildSingle();
    compare("single-string.pdb", "single-string.pdb");
    buildMixed();
    compare("mixed.pdb", "mixed.pdb");
    buildAccount(false);
    compare("account.pdb", "account.pdb");
    buildAccount(true);
    compare("account.encoded.pdb", "account.encoded.pdb");
    compare("PennaroPalm.ind", "PennaroPalm.ind");
}

TEST_F(GoldenTest, SingleStringGoldenFileByTheBook) {
    const std::string golden = test::readAll(kGolden / "single-string.pdb");
    const std::string expected = std::string("Budget3") + '\0' + "Quarlen VESTIBAR Quarlen" +
                                 fromHex("80 00 00 00 e2 19 40 00 e2 19 40 00 e2 19 40 00"
                                         "00 00 00 07 00 00 00 00 00 00 00 00") +
                                 "DATAABCD" +
                                 fromHex("00 00 00 00 00 00 00 00 00 02"
                                         "00 00 00 60 40 00 00 00 00 00 00 64 40 00 00 01 00 00"
                                         "02 02 61 00 01 01 04 78 79 00 00");
    EXPECT_EQ(toHex(golden), toHex(expected));
}

TEST_F(GoldenTest, AnIndependentReaderAgrees) {
    if (!readIndependently(kGolden / "single-string.pdb").available) {
        GTEST_SKIP() << "Palm::PDB (Debian package libpalm-pdb-perl) is not installed";
    }
    struct Case {
        const char* file;
        const char* name;
        const char* creator;
        std::string appInfo;
    };
    const Case cases[] = {
        {"single-string.pdb", "Budget3", "ABCD", "-"},
        {"mixed.pdb", "Compte Courant", "LDGR", "-"},
        {"account.pdb", "Budget0", "LDGR",
         compactHex(std::string("Jean Dupont_Courant.pdb") + '\0')},
        {"account.encoded.pdb", "Budget0", "LDGR", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const IndependentReading r = readIndependently(kGolden / c.file);
        ASSERT_TRUE(r.available);
        EXPECT_EQ(r.header.at("name"), c.name);
        EXPECT_EQ(r.header.at("type"), "DATA");
        EXPECT_EQ(r.header.at("creator"), c.creator);
        EXPECT_EQ(r.header.at("open"), "1");
        EXPECT_EQ(r.header.at("version"), "0");
        for (const char* date : {"ctime", "mtime", "baktime"}) {
            EXPECT_EQ(r.header.at(date), std::to_string(0xE2194000u));
        }
        EXPECT_EQ(r.header.at("modnum"), "7");
        if (!c.appInfo.empty()) {
            EXPECT_EQ(r.header.at("appinfo"), c.appInfo);
        } else {
            EXPECT_NE(r.header.at("appinfo"), "-");
        }
        // Every record as our own reader places it, with the NUL that follows it.
        TBuffStream s;
        ASSERT_TRUE(s.open(kGolden / c.file));
        const PdbRecordList list = readPdbRecordList(s);
        ASSERT_EQ(r.header.at("records"), std::to_string(list.records.size()));
        ASSERT_EQ(r.records.size(), list.records.size());
        for (std::size_t i = 0; i < list.records.size(); ++i) {
            std::string bytes(list.records[i].length + 1, '\0');
            ASSERT_TRUE(s.read(list.records[i].offset, bytes.size(),
                               reinterpret_cast<unsigned char*>(bytes.data())));
            EXPECT_EQ(bytes.back(), '\0');
            EXPECT_EQ(r.records[i], compactHex(bytes)) << i;
            EXPECT_EQ(r.recordLines[i].substr(0, r.recordLines[i].find(" data")),
                      "record " + std::to_string(i) + " id " + std::to_string(i) + " dirty 1");
        }
    }
    const IndependentReading single = readIndependently(kGolden / "single-string.pdb");
    EXPECT_EQ(single.records, (std::vector<std::string>{"02026100", "01010478790000"}));
}

} // namespace
} // namespace trellisk
