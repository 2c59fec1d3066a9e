// Encoded databases: each record shifted by its own key byte, stored in front of it.
#include <gtest/gtest.h>

#include "BuilderFixture.h"
#include "builder/PdbFile.h"
#include "builder/RecordEncoding.h"

namespace trellisk {
namespace {

using test::BuilderTest;
using test::fromHex;
using test::toHex;

TEST(RecordEncodingTest, KeyShiftsEveryByte) {
    const std::string plain = fromHex("01 01 04 78 79 00");
    EXPECT_EQ(toHex(encodeRecord(plain, 0x10)), "10 11 11 14 88 89 10");
    EXPECT_EQ(toHex(encodeRecord(plain, 0x00)), "00 01 01 04 78 79 00");
    EXPECT_EQ(toHex(encodeRecord(fromHex("f0 ff"), 0x20)), "20 10 1f"); // modulo 256
    for (int key : {0, 1, 0x7F, 0x80, 0xFF}) {
        EXPECT_EQ(decodeRecord(encodeRecord(plain, static_cast<std::uint8_t>(key))), plain);
    }
    EXPECT_FALSE(decodeRecord(""));
    EXPECT_EQ(decodeRecord(fromHex("05")), "");
}

TEST_F(BuilderTest, EncodedBuildIsThePlainBuildWithEachRecordEncoded) {
    const auto build = [&](bool encoded) {
        ASSERT_EQ(builder_->PDBopen2(file("acct"), "ABCD", "DATA", "Jean_Courant.pdb"), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("a", "xy"), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("a", "\xFF\x01"), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddNumField("n", 3375), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        ASSERT_EQ(encoded ? builder_->PDBbuildEncoded() : builder_->PDBbuild(), NO_ERROR);
        EXPECT_EQ(builder_->PDBgetRecordCount(), 3);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    };
    build(false);
    keys_ = {0x10, 0x00, 0xFF, 0x80}; // app-info, system record, records 1 and 2
    build(true);
    EXPECT_TRUE(keys_.empty());
    const std::string plainFile = contents("acct.pdb");
    const std::string encodedFile = contents("acct.encoded.pdb");

    const auto items = [](const std::string& file) {
        TBuffStream s;
        test::TempFolder tmp;
        test::writeAll(tmp.path() / "f", file);
        s.open(tmp.path() / "f");
        std::vector<std::string> out;
        const std::uint32_t appInfo = static_cast<std::uint32_t>(
            static_cast<unsigned char>(file[54]) << 8 | static_cast<unsigned char>(file[55]));
        const PdbRecordList list = readPdbRecordList(s);
        out.push_back(file.substr(appInfo, list.records[0].offset - appInfo - 1));
        for (const TRecordInfo& r : list.records) {
            out.push_back(file.substr(r.offset, r.length));
            EXPECT_EQ(file[r.offset + r.length], '\0'); // the NUL is not encoded
        }
        return out;
    };
    const std::vector<std::string> plain = items(plainFile);
    const std::vector<std::string> encoded = items(encodedFile);
    ASSERT_EQ(plain.size(), 4u);
    ASSERT_EQ(encoded.size(), 4u);
    const std::uint8_t keys[] = {0x10, 0x00, 0xFF, 0x80};
    for (std::size_t i = 0; i < plain.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(toHex(encoded[i]), toHex(encodeRecord(plain[i], keys[i])));
    }
    // Same header apart from the offsets, which follow the longer items.
    EXPECT_EQ(encodedFile.substr(0, 52), plainFile.substr(0, 52));
    EXPECT_EQ(encodedFile.size(), plainFile.size() + 4);
    // The loader does not decode: the encoded system record is not a field list.
    EXPECT_EQ(builder_->PDBload(file("acct.encoded.pdb")), ERR_INVALID_FILENAME);
}

TEST_F(BuilderTest, EncodedBuildOnlyInWriteMode) {
    EXPECT_EQ(builder_->PDBbuildEncoded(), ERR_WRITE_MODE_REQUIRED);
    ASSERT_EQ(builder_->PDBopen(file("missing/x"), "ABCD", "DATA", "X"), NO_ERROR);
    EXPECT_EQ(builder_->PDBbuildEncoded(), ERR_BUILD_FAILED);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

} // namespace
} // namespace trellisk
