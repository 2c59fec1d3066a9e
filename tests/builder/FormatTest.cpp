// The record format below the builder object: digit encodings, one field entry, the system
// record, the header fields and the record list of a file.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "builder/FernlowToolsUnit.h"
#include "builder/PdbFile.h"
#include "builder/SystemRecord.h"
#include "builder/TLVRecord.h"

namespace trellisk {
namespace {

using test::bytes;
using test::fromHex;
using test::toHex;
namespace tools = FernlowToolsUnit;

struct DigitCase {
    std::uint64_t value;
    const char* variable;
};

TEST(Digits, VariableFormOfEveryDocumentedValue) {
    const DigitCase cases[] = {
        {0, "01"},
        {14, "0f"},
        {15, "01 10"},
        {224, "01 e1"},
        {225, "02 01"},
        {3374, "0f e1"},
        {3375, "01 10 01"},
        {123456, "03 63 9d"},
        {759374, "0f e1 e1"},
        {759375, "01 10 01 01"},
        {170859374, "0f e1 e1 e1"},
        {170859375, "01 10 01 01 01"},
    };
    for (const DigitCase& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string encoded = tools::variableDigits(c.value);
        EXPECT_EQ(toHex(encoded), c.variable);
        EXPECT_EQ(tools::variableDigitCount(c.value), static_cast<int>(encoded.size()));
        const auto decoded = tools::decodeDigits(
            reinterpret_cast<const unsigned char*>(encoded.data()), encoded.size());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(static_cast<std::uint64_t>(*decoded), c.value);
        EXPECT_EQ(encoded.find('\0'), std::string::npos);
    }
}

TEST(Digits, FixedFormKeepsTheLowDigits) {
    EXPECT_EQ(toHex(tools::fixedDigits(15, 2)), "01 10");
    EXPECT_EQ(toHex(tools::fixedDigits(3375, 2)), "10 01");
    EXPECT_EQ(toHex(tools::fixedDigits(0, 2)), "01 01");
    EXPECT_EQ(toHex(tools::fixedDigits(224, 1)), "e1");
    EXPECT_EQ(toHex(tools::fixedDigits(225, 1)), "01");
    EXPECT_EQ(toHex(tools::fixedDigits(225 * 225 - 1, 2)), "e1 e1");
}

TEST(Digits, LargestValuesRoundTripAndOverflowIsAnError) {
    for (std::uint64_t v :
         {std::uint64_t{1} << 32, std::uint64_t{1} << 62, std::uint64_t{INT64_MAX}}) {
        const std::string e = tools::variableDigits(v);
        const auto d =
            tools::decodeDigits(reinterpret_cast<const unsigned char*>(e.data()), e.size());
        ASSERT_TRUE(d);
        EXPECT_EQ(static_cast<std::uint64_t>(*d), v);
    }
    const std::string tooLarge = tools::variableDigits(UINT64_MAX);
    EXPECT_FALSE(tools::decodeDigits(reinterpret_cast<const unsigned char*>(tooLarge.data()),
                                     tooLarge.size()));
    const std::string withZero = bytes({0x02, 0x00});
    EXPECT_FALSE(tools::decodeDigits(reinterpret_cast<const unsigned char*>(withZero.data()), 2));
    // The handheld encoder writes 225 as the single byte 226.
    const std::string handheld = bytes({0xE2});
    EXPECT_EQ(tools::decodeDigits(reinterpret_cast<const unsigned char*>(handheld.data()), 1), 225);
}

TEST(Digits, BigEndianIntegers) {
    EXPECT_EQ(toHex(tools::bigEndianBytes(0x8000, 2)), "80 00");
    EXPECT_EQ(toHex(tools::bigEndianBytes(0xE2194000, 4)), "e2 19 40 00");
    EXPECT_EQ(toHex(tools::bigEndianBytes(0x1234567890ULL, 4)), "34 56 78 90");
}

TEST(FieldEntry, BytesOfEachKind) {
    struct Case {
        const char* what;
        TLVRecord record;
        const char* expected;
    };
    std::vector<Case> cases;
    cases.push_back({"string xy in field 0", {}, "01 01 04 78 79 00"});
    cases.back().record.addString(0, "xy");
    cases.push_back({"numeric 15 takes two content bytes", {}, "01 01 03 01 10"});
    cases.back().record.addNumeric(0, 15);
    cases.push_back({"numeric 0 is one byte", {}, "02 01 02 01"});
    cases.back().record.addNumeric(1, 0);
    cases.push_back({"blob has no NUL", {}, "03 01 03 00 ff"});
    cases.back().record.addBlob(2, bytes({0x00, 0xFF}));
    cases.push_back({"entries follow each other", {}, "01 01 02 01 e1 01 03 61 00"});
    cases.back().record.addNumeric(0, 0);
    cases.back().record.addString(224, "a");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toHex(c.record.bytes()), c.expected);
    }
}

TEST(FieldEntry, RefusesWhatItsDigitsCannotHold) {
    TLVRecord r;
    EXPECT_FALSE(r.addString(225, "x"));
    EXPECT_FALSE(r.addNumeric(-1, 1));
    EXPECT_FALSE(r.addBlob(0, std::string(TLVRecord::kMaxContent + 1, 'b')));
    EXPECT_FALSE(r.addString(0, std::string(TLVRecord::kMaxContent, 's'))); // the NUL overflows
    EXPECT_TRUE(r.bytes().empty());
    EXPECT_TRUE(r.addBlob(0, std::string(TLVRecord::kMaxContent, 'b')));
    EXPECT_EQ(toHex(r.bytes().substr(0, 3)), "01 e1 e1");
}

TEST(SystemRecordFormat, WritesAndReadsTheFieldList) {
    EXPECT_EQ(toHex(writeSystemRecord({{"a", TFieldType{TFieldType::kString}}})), "02 02 61");
    const std::vector<DeclaredField> fields = {{"montant", TFieldType{TFieldType::kNumeric}},
                                               {"nom", TFieldType{TFieldType::kString}},
                                               {"", TFieldType{TFieldType::kString}}};
    const std::string bytes = writeSystemRecord(fields);
    EXPECT_EQ(toHex(bytes), "01 08 6d 6f 6e 74 61 6e 74 02 04 6e 6f 6d 02 01");
    EXPECT_EQ(readSystemRecord(bytes), fields);
    EXPECT_EQ(readSystemRecord(""), std::vector<DeclaredField>{});
    // Names from elsewhere are compared in lower case.
    EXPECT_EQ(readSystemRecord(fromHex("02 02 41"))->front().name, "a");
}

TEST(SystemRecordFormat, RefusesDamagedLists) {
    for (const char* damaged : {"03 02 61", "00 02 61", "02 00", "02 05 61", "02"}) {
        SCOPED_TRACE(damaged);
        EXPECT_FALSE(readSystemRecord(fromHex(damaged)));
    }
}

TEST(Header, NameField) {
    const std::string filler(kPdbNameFiller);
    struct Case {
        std::string name;
        std::string expected;
    };
    const Case cases[] = {
        {"Budget3.pdb", std::string("Budget3") + '\0' + filler.substr(0, 24)},
        {"Contacts", std::string("Contacts") + '\0' + filler.substr(0, 23)},
        {"dir/sub/Budget0.pdb", std::string("Budget0") + '\0' + filler.substr(0, 24)},
        {".hidden", std::string(".hidden") + '\0' + filler.substr(0, 24)},
        {"  spaced .x", std::string("spaced") + '\0' + filler.substr(0, 25)},
        {std::string(30, 'N'), std::string(30, 'N') + '\0' + filler.substr(0, 1)},
        {std::string(40, 'L'), std::string(31, 'L') + '\0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pdbHeaderName(c.name), c.expected);
        EXPECT_EQ(pdbHeaderName(c.name).size(), 32u);
    }
}

TEST(Header, DateIsWholeDaysSince1904) {
    EXPECT_EQ(pdbDate({1904, 1, 1, 23, 59, 59}), 0u);
    EXPECT_EQ(pdbDate({1904, 1, 2, 0, 0, 0}), 86400u);
    EXPECT_EQ(pdbDate({2000, 1, 1, 12, 0, 0}), 3029529600u);
    EXPECT_EQ(pdbDate({2024, 3, 15, 10, 30, 0}), 0xE2194000u);
    // Past 2040 the low 32 bits are kept.
    EXPECT_EQ(pdbDate({2040, 2, 7, 0, 0, 0}), 63104u);
}

// A whole small file, byte by byte, as the format describes it.
TEST(WholeFile, SingleStringRecordByTheBook) {
    PdbIdentity id{"Budget3.pdb", "DATA", "ABCD", 0xE2194000};
    const std::string file =
        writePdbFile(id, nullptr, {fromHex("02 02 61"), fromHex("01 01 04 78 79 00")});
    const std::string expected =
        std::string("Budget3") + '\0' + "Quarlen VESTIBAR Quarlen" + // name
        fromHex("80 00 00 00") +                                     // attributes, version
        fromHex("e2 19 40 00 e2 19 40 00 e2 19 40 00") +             // dates
        fromHex("00 00 00 07 00 00 00 00 00 00 00 00") +             // mod number, app, sort
        "DATAABCD" + fromHex("00 00 00 00 00 00 00 00 00 02") +      // seed, next list, count
        fromHex("00 00 00 60 40 00 00 00") +                         // record 0 at 96
        fromHex("00 00 00 64 40 00 00 01") +                         // record 1 at 100
        fromHex("00 00") +                                           // gap
        fromHex("02 02 61 00") + fromHex("01 01 04 78 79 00 00");    // records and NULs
    EXPECT_EQ(toHex(file), toHex(expected));
}

TEST(WholeFile, AppInfoBlockShiftsTheRecords) {
    PdbIdentity id{"Budget0", "DATA", "ABCD", 0};
    const std::string_view appInfo = "Jean";
    const std::string file = writePdbFile(id, &appInfo, {fromHex("02 02 61")});
    // App-info at 80 + 8 = 88, five bytes with its NUL, the record after it.
    EXPECT_EQ(toHex(file.substr(52, 4)), "00 00 00 58");
    EXPECT_EQ(toHex(file.substr(76, 2)), "00 01");
    EXPECT_EQ(toHex(file.substr(78, 8)), "00 00 00 5d 40 00 00 00");
    EXPECT_EQ(file.substr(88), std::string("Jean") + '\0' + fromHex("02 02 61 00"));
}

// The record list of files cut or damaged in every way a reader must survive.
TEST(RecordList, ReadsLengthsAndRefusesDamage) {
    test::TempFolder dir;
    PdbIdentity id{"X", "DATA", "ABCD", 0};
    const std::string good =
        writePdbFile(id, nullptr, {fromHex("02 02 61"), fromHex("01 01 04 78 79 00"), ""});
    const auto load = [&](const std::string& content) {
        test::writeAll(dir.path() / "f.pdb", content);
        TBuffStream s;
        EXPECT_TRUE(s.open(dir.path() / "f.pdb"));
        return readPdbRecordList(s);
    };
    const PdbRecordList list = load(good);
    ASSERT_EQ(list.status, PdbRecordList::Status::Ok);
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(list.records[0], (TRecordInfo{104, 3}));
    EXPECT_EQ(list.records[1], (TRecordInfo{108, 6}));
    // The last one runs to the end of the file, less its NUL.
    EXPECT_EQ(list.records[2], (TRecordInfo{115, 0}));
    EXPECT_EQ(list.records[2].offset + list.records[2].length + 1, good.size());

    std::string empty = good;
    empty[76] = empty[77] = 0;
    EXPECT_EQ(load(empty).status, PdbRecordList::Status::Empty);

    struct Damage {
        const char* what;
        std::string content;
    };
    std::vector<Damage> damages = {
        {"header cut short", good.substr(0, 77)},
        {"list past the end", good.substr(0, 90)},
    };
    std::string beyond = good;
    beyond[78 + 8 + 2] = 0x10; // record 1 at 0x106c..., past the end
    damages.push_back({"offset beyond the file", beyond});
    std::string backwards = good;
    backwards[78 + 8 + 3] = 0x10; // record 1 before record 0
    damages.push_back({"offsets going backwards", backwards});
    std::string huge = good;
    huge[76] = huge[77] = static_cast<char>(0xFF);
    damages.push_back({"count beyond the file", huge});
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        EXPECT_EQ(load(d.content).status, PdbRecordList::Status::Malformed);
    }
}

} // namespace
} // namespace trellisk
