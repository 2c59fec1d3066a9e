// trellisk-cli end to end, in a home of its own: it registers the library found beside it,
// and what it writes is what the library itself writes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "BuilderFixture.h"
#include "builder/PdbFile.h"
#include "builder/RecordEncoding.h"
#include "platform/Registry.h"

namespace trellisk {
namespace {

using test::BuilderTest;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public BuilderTest {
protected:
    Result cli(const std::string& arguments) {
        const std::string errFile = file("stderr.txt");
        const std::string command = "cd '" + dir_.path().string() + "' && LEDGORA_HOME='" +
                                    dir_.path().string() + "' '" + TRELLISK_CLI + "' " + arguments +
                                    " 2> '" + errFile + "'";
        Result r;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return r;
        }
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            r.out.append(buffer.data(), n);
        }
        const int status = ::pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = test::readAll(errFile);
        return r;
    }

    void SetUp() override {
        test::writeAll(dir_.path() / "s.ini", "[BUILDERaSSISTANT]\r\nCreatorID=ABCD\r\n"
                                              "DataBase Type=DATA\r\nCount=3\r\nField0=Nom\r\n"
                                              "IsNumeric1=1\r\nField1=Montant\r\nField2=Note\r\n");
        test::writeAll(dir_.path() / "d.csv", "Dupont;12;premier\r\nDurand; 34;\xE9t\xE9;\r\n"
                                              "Martin|x;x12;trois\r\n");
    }
};

TEST_F(CliTest, BuildThenDumpIsTheLibrarysOwnExport) {
    Result r = cli("build --script s.ini --csv d.csv --out Contacts.pdb");
    ASSERT_EQ(r.status, 0) << r.err;
    // The first command registered the library beside the program.
    const platform::Registry registry(dir_.path() / "registry");
    EXPECT_FALSE(registry
                     .readString(platform::Hive::ClassesRoot,
                                 "CLSID\\{F39099CD-1874-11D4-8646-CA066B482D3C}\\InprocServer32",
                                 "")
                     .empty());
    EXPECT_EQ(contents("Contacts.pdb").substr(0, 9), std::string("Contacts") + '\0');

    r = cli("dump Contacts.pdb");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(builder_->PDBexportToCsv(file("Contacts.pdb"), file("expected"), ";"), NO_ERROR);
    EXPECT_EQ(r.out, contents("expected.csv"));
    // A value holding the separator is quoted, so that it reads back as one value.
    EXPECT_EQ(r.out, "Dupont; 12; premier\r\nDurand; 34; \"\xE9t\xE9;\"\r\nMartin|x; 0; trois\r\n");

    r = cli("dump Contacts.pdb --sep '|'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 21), "Dupont| 12| premier\r\n");

    // Another separator and name.
    r = cli("build --script s.ini --csv d.csv --out other --name Autre --sep '|'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(contents("other.pdb").substr(0, 6), std::string("Autre") + '\0');
    r = cli("dump other.pdb --sep '|'");
    EXPECT_EQ(r.out.substr(r.out.rfind("Martin")), "Martin| 0| \r\n");
}

TEST_F(CliTest, EncodedBuildHoldsThePlainRecordsEncoded) {
    ASSERT_EQ(cli("build --script s.ini --csv d.csv --out Contacts.pdb").status, 0);
    const Result r = cli("build --script s.ini --csv d.csv --out Contacts.pdb --encoded");
    ASSERT_EQ(r.status, 0) << r.err;
    TBuffStream plain, encoded;
    ASSERT_TRUE(plain.open(file("Contacts.pdb")));
    ASSERT_TRUE(encoded.open(file("Contacts.encoded.pdb")));
    const PdbRecordList p = readPdbRecordList(plain);
    const PdbRecordList e = readPdbRecordList(encoded);
    ASSERT_EQ(p.records.size(), 4u);
    ASSERT_EQ(e.records.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        std::string a(p.records[i].length, '\0'), b(e.records[i].length, '\0');
        plain.read(p.records[i].offset, a.size(), reinterpret_cast<unsigned char*>(a.data()));
        encoded.read(e.records[i].offset, b.size(), reinterpret_cast<unsigned char*>(b.data()));
        EXPECT_EQ(decodeRecord(b), a) << i;
    }
}

TEST_F(CliTest, BothGenerators) {
    Result r = cli("gen-c --script s.ini");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(contents("s.c").find("#include <Pilot.h>"), std::string::npos);
    EXPECT_NE(contents("s.h").find("s_ftmontant = 1,"), std::string::npos);
    r = cli("gen-c --out gen/Contacts --name Contacts --script s.ini --new");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERR_C_DEVELOPPER_FAILED (13)\n");
    std::filesystem::create_directory(dir_.path() / "gen");
    r = cli("gen-c --out gen/Contacts --name Contacts --script s.ini --new");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(contents("gen/Contacts.h").find("Contacts_ftmontant = 1,"), std::string::npos);
    EXPECT_NE(contents("gen/Contacts.c").find("GetEncodedContacts"), std::string::npos);
}

TEST_F(CliTest, UsersAndTheirFolders) {
    Result r = cli("users");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "WAR_PALM_DESKTOP_NOT_INSTALLED (28)\n");
    EXPECT_EQ(r.out, "");
    std::filesystem::create_directory(dir_.path() / "Palm");
    ASSERT_TRUE(registry_.writeString(platform::Hive::CurrentUser,
                                      "Software\\Palm Computing\\Pilot Desktop\\Core", "Path",
                                      (dir_.path() / "Palm").string()));
    r = cli("users");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "WAR_NO_USERS (31)\n");
    test::writeAll(dir_.path() / "Palm/users.dat", std::string("\x01", 1) + std::string(12, '\0') +
                                                       test::fromHex("07 00 00 00 05") +
                                                       "\xC9lise" + test::fromHex("06") + "ElisaD");
    r = cli("users");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string palm = (dir_.path() / "Palm").string();
    EXPECT_EQ(r.out, "Élise\t" + palm + "/ElisaD/Install\t" + palm + "/ElisaD/Backup\n");
}

TEST_F(CliTest, ErrorsAndUsage) {
    struct Case {
        std::string arguments;
        int status;
        std::string err;
    };
    test::writeAll(dir_.path() / "bad.ini", "[BUILDERaSSISTANT]\r\nCreatorID=ABC\r\nCount=1\r\n");
    const Case cases[] = {
        {"dump absent.pdb", 1, "ERR_INVALID_FILENAME (1)\n"},
        {"build --script bad.ini --csv d.csv --out x", 1, "ERR_INVALID_CREATORID (2)\n"},
        {"build --script s.ini --csv d.csv --out missing/x", 1, "ERR_BUILD_FAILED (11)\n"},
        {"build --script s.ini --csv d.csv --out missing/x --encoded", 1,
         "ERR_BUILD_FAILED (11)\n"},
        {"", 2, ""},
        {"fly", 2, ""},
        {"build --script s.ini", 2, ""},
        {"dump", 2, ""},
        {"users extra", 2, ""},
        {"gen-c --script s.ini --new", 2, ""},
        {"dump x.pdb --bogus", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Result r = cli(c.arguments);
        EXPECT_EQ(r.status, c.status);
        if (c.status == 1) {
            EXPECT_EQ(r.err, c.err);
        } else {
            EXPECT_EQ(r.err.rfind("usage: trellisk-cli", 0), 0u) << r.err;
        }
    }
}

// A CSV of more records than a database can count fails the build, for both kinds, and
// leaves the databases built before.
TEST_F(CliTest, ACsvTooLargeForTheRecordCountBuildsNothing) {
    ASSERT_EQ(cli("build --script s.ini --csv d.csv --out Contacts.pdb").status, 0);
    ASSERT_EQ(cli("build --script s.ini --csv d.csv --out Contacts.pdb --encoded").status, 0);
    const std::string plain = contents("Contacts.pdb");
    const std::string encoded = contents("Contacts.encoded.pdb");
    std::string lines;
    for (std::size_t i = 0; i < kPdbMaxRecords; ++i) {
        lines += "Nom" + std::to_string(i) + ";" + std::to_string(i) + ";\r\n";
    }
    test::writeAll(dir_.path() / "big.csv", lines);
    for (const char* kind : {"", " --encoded"}) {
        SCOPED_TRACE(kind);
        const Result r =
            cli(std::string("build --script s.ini --csv big.csv --out Contacts.pdb") + kind);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "ERR_TOO_MANY_RECORDS (38)\n");
    }
    EXPECT_EQ(contents("Contacts.pdb"), plain);
    EXPECT_EQ(contents("Contacts.encoded.pdb"), encoded);
    EXPECT_EQ(cli("dump Contacts.pdb").status, 0);
}

} // namespace
} // namespace trellisk
