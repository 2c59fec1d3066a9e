// The builder object: its state machine and result codes, builds and loads, round trips.
#include <gtest/gtest.h>

#include "BuilderFixture.h"
#include "builder/PdbFile.h"

namespace trellisk {
namespace {

using test::BuilderTest;
using test::fromHex;
using test::toHex;

// The bytes of record `index` of a built file, as the record list places them.
std::string recordBytes(const std::string& file, std::size_t index) {
    TBuffStream s;
    if (!s.open(file)) {
        return "<unreadable>";
    }
    const PdbRecordList list = readPdbRecordList(s);
    if (index >= list.records.size()) {
        return "<missing>";
    }
    std::string out(list.records[index].length, '\0');
    s.read(list.records[index].offset, out.size(), reinterpret_cast<unsigned char*>(out.data()));
    return out;
}

TEST_F(BuilderTest, OpenChecksItsArgumentsInOrder) {
    struct Case {
        const char* file;
        const char* creator;
        const char* type;
        const char* name;
        EnumErrors expected;
    };
    const Case cases[] = {
        {"  ", "ABCD", "DATA", "Base", ERR_INVALID_FILENAME},
        {"x", "ABCDE", "DATA", "Base", ERR_INVALID_CREATORID},
        {"x", "ABC", "", "", ERR_INVALID_CREATORID},
        {"x", " ABCD ", "DAT", "Base", ERR_INVALID_DATABASETYPE},
        {"x", "ABCD", "DATA", " \t", ERR_INVALID_PDBNAME},
        {"x", "ABCD", " DATA", "Base", NO_ERROR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        recreate();
        EXPECT_EQ(builder_->PDBopen(c.file, c.creator, c.type, c.name), c.expected);
        // A failed open leaves the object closed.
        EXPECT_EQ(builder_->mode() == TTrellisk::Mode::Closed, c.expected != NO_ERROR);
        EXPECT_EQ(builder_->PDBaddStrField("a", "x"),
                  c.expected == NO_ERROR ? NO_ERROR : ERR_WRITE_MODE_REQUIRED);
    }
}

TEST_F(BuilderTest, ModeChecksComeFirst) {
    std::int64_t n = 0;
    std::string s;
    // Closed.
    EXPECT_EQ(builder_->PDBaddNumField("a", 1), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBaddRecord(), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBbuild(), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBbuildEncoded(), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBcDevelopper(), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBgetRecord(1), ERR_READ_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBgetStrField("a", s), ERR_READ_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBgetNumFieldWithID(0, n), ERR_READ_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBclose(), ERR_ALREADY_CLOSE);
    EXPECT_EQ(builder_->PDBgetIsStrFieldWithID(0), ERR_GET_IS_STR_FIELD_WITH_ID_FAILED);
    EXPECT_EQ(builder_->PDBgetIsNumFieldWithID(0), ERR_GET_IS_NUM_FIELD_WITH_ID_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 0);
    // Write.
    open("w");
    EXPECT_EQ(builder_->PDBopen(file("w"), "ABCD", "DATA", "Base"), ERR_ALREADY_OPEN);
    EXPECT_EQ(builder_->PDBload(file("w")), ERR_ALREADY_OPEN);
    EXPECT_EQ(builder_->PDBgetRecord(1), ERR_READ_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBgetNumField("a", n), ERR_READ_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBgetIsStrFieldWithID(0), ERR_INVALID_FIELD_ID);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    // A second close.
    EXPECT_EQ(builder_->PDBclose(), ERR_ALREADY_CLOSE);
}

TEST_F(BuilderTest, RecordsAreMadeFieldByFieldFromFieldZero) {
    open("edge");
    // Nothing under construction right after open.
    EXPECT_EQ(builder_->PDBaddRecord(), ERR_RECORD_EMPTY);
    EXPECT_EQ(builder_->PDBaddStrField("Nom", "Dupont"), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddNumField("montant", 15), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    // No record any more: field 1 alone is refused, and stays declared.
    EXPECT_EQ(builder_->PDBaddNumField("Montant", 1), ERR_ADDNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddStrField("note", "x"), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 3);
    // A new field 0 drops the record in progress: the "perdu" value is lost.
    EXPECT_EQ(builder_->PDBaddStrField("NOM", "Durand"), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddStrField("note", "perdu"), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddStrField("nom", "Martin"), NO_ERROR);
    // A second value for one field is appended.
    EXPECT_EQ(builder_->PDBaddNumField("montant", 1), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddNumField("montant", 2), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    // Wrong types.
    EXPECT_EQ(builder_->PDBaddNumField("nom", 1), ERR_STRING_FIELD_EXPECTED);
    EXPECT_EQ(builder_->PDBaddStrField("montant", "1"), ERR_NUMERIC_FIELD_EXPECTED);
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetRecordCount(), 3);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);

    const std::string pdb = file("edge.pdb");
    // Names in lower case, in declaration order.
    EXPECT_EQ(recordBytes(pdb, 0),
              fromHex("02 04 6e 6f 6d 01 08 6d 6f 6e 74 61 6e 74 02 05 6e 6f 74 65"));
    EXPECT_EQ(toHex(recordBytes(pdb, 1)), "01 01 08 44 75 70 6f 6e 74 00 02 01 03 01 10");
    EXPECT_EQ(toHex(recordBytes(pdb, 2)), "01 01 08 4d 61 72 74 69 6e 00 02 01 02 02 02 01 02 03");

    ASSERT_EQ(builder_->PDBload(pdb), NO_ERROR);
    std::string s;
    std::int64_t n = 0;
    EXPECT_EQ(builder_->PDBgetStrField("nom", s), ERR_INVALID_RECORD_ID);
    EXPECT_EQ(builder_->PDBgetRecord(0), ERR_RECORD_NOT_FOUND);
    EXPECT_EQ(builder_->PDBgetRecord(3), ERR_RECORD_NOT_FOUND);
    ASSERT_EQ(builder_->PDBgetRecord(2), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetNumField("MONTANT", n), NO_ERROR);
    EXPECT_EQ(n, 1); // the first of two values
    EXPECT_EQ(builder_->PDBgetStrField("note", s), ERR_GETSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetStrField("inconnu", s), ERR_GETSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetNumField("inconnu", n), ERR_GETNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetStrField("montant", s), ERR_STRING_FIELD_EXPECTED);
    EXPECT_EQ(builder_->PDBgetNumField("nom", n), ERR_NUMERIC_FIELD_EXPECTED);
    EXPECT_EQ(builder_->PDBgetStrFieldWithID(3, s), ERR_GETSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetNumFieldWithID(-1, n), ERR_GETNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetIsStrFieldWithID(0), 1);
    EXPECT_EQ(builder_->PDBgetIsNumFieldWithID(0), 0);
    EXPECT_EQ(builder_->PDBgetIsNumFieldWithID(1), 1);
    EXPECT_EQ(builder_->PDBgetIsStrFieldWithID(3), ERR_INVALID_FIELD_ID);
    EXPECT_EQ(builder_->PDBgetIsNumFieldWithID(-1), ERR_INVALID_FIELD_ID);
    EXPECT_EQ(builder_->PDBgetRecordCount(), 3);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, DeclarationsThatCannotBeEncodedAreRefused) {
    open("limits");
    EXPECT_EQ(builder_->PDBaddNumField("negatif", -1), ERR_ADDNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 0);
    EXPECT_EQ(builder_->PDBaddStrField(std::string(225, 'n'), "x"), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddNumField(std::string(225, 'n'), 1), ERR_ADDNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 0);
    EXPECT_EQ(builder_->PDBaddStrField(std::string(224, 'n'), "x"), NO_ERROR);
    for (int i = 1; i < 225; ++i) {
        ASSERT_EQ(builder_->PDBaddNumField("f" + std::to_string(i), i), NO_ERROR) << i;
    }
    EXPECT_EQ(builder_->PDBaddNumField("f225", 1), ERR_ADDNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddStrField("f225", "x"), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 225);
    // A value too long for its two-digit length.
    EXPECT_EQ(builder_->PDBaddStrField(std::string(224, 'n'), std::string(50624, 'v')),
              ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    ASSERT_EQ(builder_->PDBload(file("limits.pdb")), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 225);
    ASSERT_EQ(builder_->PDBgetRecord(1), NO_ERROR);
    std::int64_t n = 0;
    EXPECT_EQ(builder_->PDBgetNumFieldWithID(224, n), NO_ERROR);
    EXPECT_EQ(n, 224);
}

TEST_F(BuilderTest, BlobFields) {
    test::writeAll(dir_.path() / "blob.bin", fromHex("00 01 02 ff"));
    open("blob");
    // A blob starts a record only when there is none.
    EXPECT_EQ(builder_->PDBaddBlobField("image", file("blob.bin")), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddStrField("nom", "x"), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddStrField("image", "y"), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddBlobField("image", file("blob.bin")), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddBlobField("image", file("absent.bin")), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddBlobField("image", dir_.path().string()), ERR_ADDSTRFIELD_FAILED);
    // No record in progress: the numeric field is declared, its value refused.
    EXPECT_EQ(builder_->PDBaddNumField("n", 0), ERR_ADDNUMFIELD_FAILED);
    EXPECT_EQ(builder_->PDBaddBlobField("n", file("blob.bin")), ERR_NUMERIC_FIELD_EXPECTED);
    test::writeAll(dir_.path() / "big.bin", std::string(50625, 'b'));
    EXPECT_EQ(builder_->PDBaddBlobField("image", file("big.bin")), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    // Declared as a string field; no NUL after the bytes.
    EXPECT_EQ(toHex(recordBytes(file("blob.pdb"), 0)).substr(0, 2), "02");
    EXPECT_EQ(toHex(recordBytes(file("blob.pdb"), 1)), "01 01 05 00 01 02 ff 02 01 03 78 00");
    EXPECT_EQ(toHex(recordBytes(file("blob.pdb"), 2)), "01 01 03 79 00 01 01 05 00 01 02 ff");
}

TEST_F(BuilderTest, RoundTripOfEveryFieldOfEveryRecord) {
    struct Row {
        std::string nom;
        std::int64_t montant;
        std::string note;
        std::int64_t compte;
    };
    std::vector<Row> rows;
    const std::int64_t numbers[] = {0,    14,     15,     224,    225,          3374,
                                    3375, 759374, 759375, 123456, 4294967295LL, INT64_MAX};
    for (int i = 0; i < 300; ++i) {
        rows.push_back({"nom " + std::to_string(i) + " \xE9\xE8", numbers[i % 12],
                        std::string(static_cast<std::size_t>(i * 7 % 900), 'a' + i % 26),
                        numbers[(i + 5) % 12]});
    }
    open("round", "Round trip");
    for (const Row& r : rows) {
        ASSERT_EQ(builder_->PDBaddStrField("nom", r.nom), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddNumField("montant", r.montant), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("note", r.note), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddNumField("compte", r.compte), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    }
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);

    // The same object loads what it built, twice, by name and by ID.
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(builder_->PDBload(file("round.pdb")), NO_ERROR);
        ASSERT_EQ(builder_->PDBgetRecordCount(), 301);
        ASSERT_EQ(builder_->PDBgetFieldCount(), 4);
        for (int i = 1; i <= 300; ++i) {
            ASSERT_EQ(builder_->PDBgetRecord(i), NO_ERROR);
            const Row& r = rows[static_cast<std::size_t>(i - 1)];
            std::string s;
            std::int64_t n = -1;
            if (pass == 0) {
                ASSERT_EQ(builder_->PDBgetStrField("nom", s), NO_ERROR);
                EXPECT_EQ(s, r.nom);
                ASSERT_EQ(builder_->PDBgetNumField("montant", n), NO_ERROR);
                EXPECT_EQ(n, r.montant);
                ASSERT_EQ(builder_->PDBgetStrField("note", s), NO_ERROR);
                EXPECT_EQ(s, r.note);
                ASSERT_EQ(builder_->PDBgetNumField("compte", n), NO_ERROR);
                EXPECT_EQ(n, r.compte);
            } else {
                ASSERT_EQ(builder_->PDBgetStrFieldWithID(2, s), NO_ERROR);
                EXPECT_EQ(s, r.note);
                ASSERT_EQ(builder_->PDBgetNumFieldWithID(3, n), NO_ERROR);
                EXPECT_EQ(n, r.compte);
            }
        }
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    }
}

TEST_F(BuilderTest, BuildEmptiesTheListAndAFailedBuildCanBeRetried) {
    ASSERT_EQ(builder_->PDBopen(file("missing/db"), "ABCD", "DATA", "Base"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("a", "xy"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    // The folder does not exist: the build fails and keeps the records.
    EXPECT_EQ(builder_->PDBbuild(), ERR_BUILD_FAILED);
    EXPECT_EQ(builder_->mode(), TTrellisk::Mode::Write);
    std::filesystem::create_directory(dir_.path() / "missing");
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    const std::string pdb = file("missing/db.pdb");
    EXPECT_EQ(toHex(recordBytes(pdb, 0)), "02 02 61");
    EXPECT_EQ(toHex(recordBytes(pdb, 1)), "01 01 04 78 79 00");
    EXPECT_EQ(recordBytes(pdb, 2), "<missing>");
    // A second build holds only a new system record.
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetRecordCount(), 1);
    EXPECT_EQ(recordBytes(pdb, 1), "<missing>");
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, ClosingDropsTheUnfinishedRecord) {
    open("first");
    ASSERT_EQ(builder_->PDBaddStrField("a", "left over"), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    open("second");
    EXPECT_EQ(builder_->PDBaddRecord(), ERR_RECORD_EMPTY);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, LoadRefusesWhatItCannotRead) {
    open("good");
    ASSERT_EQ(builder_->PDBaddStrField("a", "xy"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string good = contents("good.pdb");

    std::string empty = good;
    empty[76] = empty[77] = 0;
    std::string badSystem = good;
    badSystem[96] = 0x07; // type code of the first field
    const auto countOf = [](std::string content, char count) {
        content[76] = 0;
        content[77] = count;
        return content;
    };
    const std::string record = fromHex("01 01 04 78 79 00");
    std::vector<std::string_view> records(kPdbMaxRecords + 3, record);
    records[0] = "\x02\x02\x61";
    std::string wrapped = writePdbFile({"Wrapped", "DATA", "ABCD", 0}, nullptr, records);
    wrapped[76] = 0;
    wrapped[77] = 2;
    struct Case {
        const char* what;
        std::string content;
        EnumErrors expected;
    };
    const Case cases[] = {
        {"truncated header", good.substr(0, 60), ERR_INVALID_FILENAME},
        {"empty file", "", ERR_INVALID_FILENAME},
        {"no records", empty, ERR_EMPTY_DATABASE},
        {"damaged system record", badSystem, ERR_INVALID_FILENAME},
        {"cut inside the record list", good.substr(0, 85), ERR_INVALID_FILENAME},
        {"last record cut short", good.substr(0, good.size() - 2), ERR_INVALID_FILENAME},
        {"last record's NUL cut", good.substr(0, good.size() - 1), ERR_INVALID_FILENAME},
        {"count one short", countOf(good, 1), ERR_INVALID_FILENAME},
        {"count one over", countOf(good, 3), ERR_INVALID_FILENAME},
        // 65,538 records whose count was written in 16 bits, as 2.
        {"count wrapped", wrapped, ERR_INVALID_FILENAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::writeAll(dir_.path() / "bad.pdb", c.content);
        EXPECT_EQ(builder_->PDBload(file("bad.pdb")), c.expected);
        EXPECT_EQ(builder_->mode(), TTrellisk::Mode::Closed);
    }
    EXPECT_EQ(builder_->PDBload(""), ERR_INVALID_FILENAME);
    EXPECT_EQ(builder_->PDBload(file("absent.pdb")), ERR_INVALID_FILENAME);
    EXPECT_EQ(builder_->PDBload(dir_.path().string()), ERR_INVALID_FILENAME);
    // After all that the object still loads a good file.
    EXPECT_EQ(builder_->PDBload(file("good.pdb")), NO_ERROR);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, HostileRecordsAreRefusedOneByOne) {
    // Records written by hand: a valid one, one longer than the record buffer, one whose
    // entry claims more bytes than it has, one whose number does not fit 64 bits.
    PdbIdentity id{"Hostile", "DATA", "ABCD", 0};
    const std::string system = fromHex("02 02 61 01 02 6e");
    const std::string valid = fromHex("01 01 04 78 79 00 02 01 02 05");
    std::string tooLong = fromHex("01 ef 3f") + std::string(30718, 'z'); // 30,721 bytes + 1
    tooLong += 'z';
    const std::string overrun = fromHex("01 01 0a 78 79 00");
    const std::string overflow = fromHex("01 01 02 61 02 01 0b") + std::string(10, '\xE1');
    const std::string zeros = fromHex("00 00 00 00");
    const std::string bytes =
        writePdbFile(id, nullptr, {system, valid, tooLong, overrun, overflow, zeros, valid});
    test::writeAll(dir_.path() / "hostile.pdb", bytes);

    ASSERT_EQ(builder_->PDBload(file("hostile.pdb")), NO_ERROR);
    std::string s;
    std::int64_t n = 0;
    ASSERT_EQ(builder_->PDBgetRecord(1), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetRecord(2), ERR_RECORD_NOT_FOUND);
    // The refused record did not replace the current one.
    EXPECT_EQ(builder_->PDBgetStrField("a", s), NO_ERROR);
    EXPECT_EQ(s, "xy");
    ASSERT_EQ(builder_->PDBgetRecord(3), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetStrField("a", s), ERR_GETSTRFIELD_FAILED);
    ASSERT_EQ(builder_->PDBgetRecord(4), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetNumField("n", n), ERR_GETNUMFIELD_FAILED);
    ASSERT_EQ(builder_->PDBgetRecord(5), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetStrField("a", s), ERR_GETSTRFIELD_FAILED);
    ASSERT_EQ(builder_->PDBgetRecord(6), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetNumField("n", n), NO_ERROR);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);

    // The export writes empty values for what it cannot read, never the record before.
    EXPECT_EQ(builder_->PDBexportToCsv(file("hostile.pdb"), file("hostile.csv"), ";"), NO_ERROR);
    EXPECT_EQ(contents("hostile.csv"), "xy; 4\r\n; \r\n; \r\na; \r\n; \r\nxy; 4\r\n");

    // A system record longer than the buffer refuses the whole file.
    test::writeAll(dir_.path() / "bigsystem.pdb", writePdbFile(id, nullptr, {tooLong}));
    EXPECT_EQ(builder_->PDBload(file("bigsystem.pdb")), ERR_INVALID_FILENAME);
}

TEST_F(BuilderTest, StringsStopAtTheirFirstNul) {
    open("nul");
    ASSERT_EQ(builder_->PDBaddStrField("a", std::string("ab\0cd", 5)), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    ASSERT_EQ(builder_->PDBload(file("nul.pdb")), NO_ERROR);
    ASSERT_EQ(builder_->PDBgetRecord(1), NO_ERROR);
    std::string s;
    EXPECT_EQ(builder_->PDBgetStrField("a", s), NO_ERROR);
    EXPECT_EQ(s, "ab");
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, DatabaseNameKeepsThirtyCharacters) {
    const std::string name(40, 'N');
    ASSERT_EQ(builder_->PDBopen(file("long"), "ABCD", "DATA", name), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string header = contents("long.pdb").substr(0, 32);
    EXPECT_EQ(header, std::string(30, 'N') + '\0' + "Q");
}

// The record count is 16-bit and counts the system record: 65,534 data records fill it.
TEST_F(BuilderTest, AFullRecordCountIsBuiltAndReadBack) {
    open("full");
    for (std::int64_t i = 1; i < static_cast<std::int64_t>(kPdbMaxRecords); ++i) {
        ASSERT_EQ(builder_->PDBaddNumField("n", i), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    }
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string pdb = contents("full.pdb");
    EXPECT_EQ(toHex(pdb.substr(76, 2)), "ff ff");
    EXPECT_EQ(toHex(pdb.substr(kPdbHeaderSize + 8 * (kPdbMaxRecords - 1) + 4, 4)), "40 00 ff fe");
    ASSERT_EQ(builder_->PDBload(file("full.pdb")), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetRecordCount(), 65535);
    ASSERT_EQ(builder_->PDBgetRecord(65534), NO_ERROR);
    std::int64_t n = 0;
    EXPECT_EQ(builder_->PDBgetNumField("n", n), NO_ERROR);
    EXPECT_EQ(n, 65534);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(BuilderTest, ARecordPastTheCountIsRefusedAndNoBuildLosesIt) {
    // An earlier build of the same database, which a refused one must leave in place.
    open("big");
    ASSERT_EQ(builder_->PDBaddStrField("a", "old"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string before = contents("big.pdb");

    for (const bool encoded : {false, true}) {
        SCOPED_TRACE(encoded ? "encoded" : "plain");
        open("big");
        for (std::size_t i = 1; i < kPdbMaxRecords; ++i) {
            ASSERT_EQ(builder_->PDBaddStrField("a", "x"), NO_ERROR);
            ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        }
        ASSERT_EQ(builder_->PDBaddStrField("a", "one too many"), NO_ERROR);
        EXPECT_EQ(builder_->PDBaddRecord(), ERR_TOO_MANY_RECORDS);
        EXPECT_EQ(builder_->PDBaddRecord(), ERR_TOO_MANY_RECORDS);
        // The records that fit would make a database without the refused one.
        EXPECT_EQ(encoded ? builder_->PDBbuildEncoded() : builder_->PDBbuild(),
                  ERR_TOO_MANY_RECORDS);
        EXPECT_EQ(builder_->mode(), TTrellisk::Mode::Write);
        EXPECT_EQ(contents("big.pdb"), before);
        EXPECT_FALSE(std::filesystem::exists(file("big.encoded.pdb")));
        EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    }
    // The refusal belonged to that database alone.
    open("big");
    ASSERT_EQ(builder_->PDBaddStrField("a", "new"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    EXPECT_EQ(builder_->PDBbuild(), NO_ERROR);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    EXPECT_EQ(recordBytes(file("big.pdb"), 1), fromHex("01 01 05") + "new" + '\0');
}

} // namespace
} // namespace trellisk
