// The handheld C source: its text, that it compiles against stand-in Palm OS headers, and
// that it reads and writes, on an in-memory Data Manager, the databases the builder writes
// and reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

#include "BuilderFixture.h"

namespace trellisk {
namespace {

using test::BuilderTest;
using test::toHex;

const std::string kPalmOs = TRELLISK_PALMOS_DIR;

struct CommandResult {
    int status = -1;
    std::string output;
};

CommandResult run(const std::string& command) {
    CommandResult r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        r.output.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string quote(const std::string& path) {
    return "'" + path + "'";
}

bool haveCompiler() {
    return run("gcc --version").status == 0;
}

// The warnings that the handheld idioms raise on a desktop compiler: four-character
// constants ('DATA') and the implicit int of "const MAXBYTES". Any other fails the build.
const std::string kWarnings = "-Wall -Wno-multichar -Wno-implicit-int -Werror";

struct Row {
    const char* nom;
    std::uint32_t montant;
    const char* note; // null: the record has no note
    std::uint32_t compte;
};

const std::string kLongNote(300, 'x');
const Row kRows[] = {
    {"Dupont", 123456, "premier \xE9t\xE9", 15},
    {"Durand", 0, "", 225},
    {"Martin", 4294967295u, nullptr, 3375},
    {"Petit", 14, kLongNote.c_str(), 50625},
};

class CSourceTest : public BuilderTest {
protected:
    // The "Contacts" layout: nom, montant, note, compte.
    void declareContacts(const std::string& fileName, bool withRows, bool encoded = false) {
        ASSERT_EQ(builder_->PDBopen(file(fileName), "CTCT", "DATA", "Contacts"), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("nom", ""), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddNumField("montant", 0), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("note", ""), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddNumField("compte", 0), NO_ERROR);
        if (!withRows) {
            return;
        }
        for (const Row& r : kRows) {
            ASSERT_EQ(builder_->PDBaddStrField("nom", r.nom), NO_ERROR);
            ASSERT_EQ(builder_->PDBaddNumField("montant", r.montant), NO_ERROR);
            if (r.note != nullptr) {
                ASSERT_EQ(builder_->PDBaddStrField("note", r.note), NO_ERROR);
            }
            ASSERT_EQ(builder_->PDBaddNumField("compte", r.compte), NO_ERROR);
            ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        }
        ASSERT_EQ(encoded ? builder_->PDBbuildEncoded() : builder_->PDBbuild(), NO_ERROR);
    }

    // Compiles the generated pair with the driver on the in-memory Data Manager; the
    // driver's path, or empty with the compiler's output recorded as a failure.
    std::string buildDriver(bool oldDialect) {
        const std::string flags =
            kWarnings + " -g -fsanitize=address,undefined -fno-sanitize-recover=all";
        const std::string dm = file("dm.o");
        CommandResult r =
            run("gcc -c " + flags + " -I" + quote(kPalmOs + "/new") + " -I" + quote(kPalmOs) + " " +
                quote(kPalmOs + "/DataMgrStandIn.c") + " -o " + quote(dm));
        EXPECT_EQ(r.status, 0) << r.output;
        const std::string driver = file(oldDialect ? "driver-old" : "driver-new");
        r = run("gcc " + flags + (oldDialect ? " -DOLD_DIALECT" : "") + " -I" +
                quote(dir_.path().string()) + " -I" +
                quote(kPalmOs + (oldDialect ? "/old" : "/new")) + " -I" + quote(kPalmOs) + " " +
                quote(file("Contacts.c")) + " " + quote(kPalmOs + "/driver.c") + " " + quote(dm) +
                " -o " + quote(driver));
        EXPECT_EQ(r.status, 0) << r.output;
        return r.status == 0 ? driver : std::string();
    }

    CommandResult runDriver(const std::string& driver, const std::string& arguments) {
        return run("ASAN_OPTIONS=detect_leaks=0 " + quote(driver) + " " + arguments);
    }

    static std::string expectedLine(const char* tag, int i, const Row& r) {
        std::ostringstream out;
        out << tag << ' ' << i << " nom=" << toHex(r.nom) << " montant=" << r.montant
            << " note=" << (r.note != nullptr ? toHex(r.note) : std::string("-"))
            << " compte=" << r.compte;
        std::string line = out.str();
        line.erase(std::remove(line.begin() + 2, line.end(), ' '), line.end());
        return line;
    }

    // The driver prints hex without spaces; records compare on lines with spaces removed.
    static std::vector<std::string> lines(const std::string& output, const std::string& tag) {
        std::vector<std::string> out;
        std::istringstream in(output);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind(tag + " ", 0) == 0) {
                line.erase(std::remove(line.begin() + 2, line.end(), ' '), line.end());
                out.push_back(line);
            }
        }
        return out;
    }

    // The rows of a database, read back by the builder.
    std::vector<std::string> loadRows(const std::string& pdb) {
        std::vector<std::string> rows;
        EXPECT_EQ(builder_->PDBload(pdb), NO_ERROR);
        for (std::int32_t r = 1; r < builder_->PDBgetRecordCount(); ++r) {
            EXPECT_EQ(builder_->PDBgetRecord(r), NO_ERROR);
            std::string nom, note;
            std::int64_t montant = -1, compte = -1;
            builder_->PDBgetStrField("nom", nom);
            builder_->PDBgetNumField("montant", montant);
            const bool hasNote = builder_->PDBgetStrField("note", note) == NO_ERROR;
            builder_->PDBgetNumField("compte", compte);
            rows.push_back(nom + "|" + std::to_string(montant) + "|" + (hasNote ? note : "-") +
                           "|" + std::to_string(compte));
        }
        builder_->PDBclose();
        return rows;
    }
};

TEST_F(CSourceTest, NamesTypesAndLayoutOfTheGeneratedPair) {
    ASSERT_EQ(builder_->PDBopen(file("Contacts"), "CTCT", "DATA", "Contacts"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("nom", ""), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("note", ""), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddNumField("Montant", 0), NO_ERROR);
    ASSERT_EQ(builder_->PDBcDevelopper(), NO_ERROR);
    const std::string h = contents("Contacts.h");
    const std::string c = contents("Contacts.c");
    for (const char* expected :
         {"#include \"Builder.h\"\r\n", "typedef struct ContactstagDBstructType\r\n",
          "MemHandle _Handle; //Fernlow Reserved field\r\n", "char * nom;\r\n",
          "UInt32 montant;\r\n", "} ContactsDBstructType, *ContactsDBstructPtr;\r\n",
          "extern DmOpenRef ContactsDB;\r\n", "DmOpenRef ContactsDB = NULL;\r\n",
          "Contacts_ftmontant = 2,\r\n", "Contacts_ftNULL} //Not used\r\nContactsFieldType;\r\n",
          "Boolean GetEncodedContacts(DmOpenRef ContactsDB, UInt16 recordNum, ContactsDBstructPtr "
          "ContactsDBrecordP);\r\n",
          "cmpType CompareContactsDistinct(UInt16 RecordID, unsigned char SearchFieldID, MemPtr "
          "SearchedValueP);\r\n"}) {
        EXPECT_NE(h.find(expected), std::string::npos) << expected;
    }
    for (const char* expected :
         {"#include <PalmOS.h>\t\t// Includes all Palm headers (CW7)\r\n"
          "#include \"PalmOsTools.h\"\t\t// Includes all Pilot headers\r\n"
          "#define _LOCAL_VAR\r\n#include \"Contacts.h\"\r\n",
          "unsigned char systemRecord[]={0x02, 0x04, 'n','o','m',0x02, 0x05, 'n','o','t','e',0x01, "
          "0x08, 'm','o','n','t','a','n','t','\\0'};\r\n",
          "value = value * 225 + (aByte-1);", "while(val > 225){", "const MAXBYTES = 20;",
          "UnLockLastRecord(ContactsDBrecordP); //Unlock last opened record first",
          "ContactsDBrecordP->_Handle = recHandle; //Store the last record handle",
          "if (!Decode(l_pRecDecoded)) return false;",
          "DmCreateDatabase(0, PdbName, 'CTCT', 'DATA', false);",
          "ErrDisplay(\"Could not create new database.\"); //Implement your own ShowMessage "
          "primitive",
          "//Return the new value for DbSelectDistinct", "MemPtrNew(30720)"}) {
        EXPECT_NE(c.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(c.find("/*" + std::string(143, '-') + "*/\r\n"), std::string::npos);
    // Every line ends with CR LF.
    for (const std::string* text : {&c, &h}) {
        for (std::size_t i = 0; i < text->size(); ++i) {
            if ((*text)[i] == '\n') {
                ASSERT_EQ((*text)[i - 1], '\r') << i;
            }
        }
    }
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(CSourceTest, OldGeneratorNamesAfterTheScript) {
    test::writeAll(dir_.path() / "Contacts.ini", "[BUILDERaSSISTANT]\r\nCreatorID=CTCT\r\n"
                                                 "DataBase Type=DATA\r\nCount=2\r\nField0=nom\r\n"
                                                 "IsNumeric1=1\r\nField1=montant\r\n");
    ASSERT_EQ(builder_->PDBopenFromScript(file("Contacts.ini"), file("elsewhere/db"), "Autre"),
              NO_ERROR);
    ASSERT_EQ(builder_->PDBcDevelopper2(file("Contacts.ini")), NO_ERROR);
    const std::string c = contents("Contacts.c");
    const std::string h = contents("Contacts.h");
    EXPECT_EQ(c.substr(0, c.find("#define")),
              "#include <Pilot.h>\t\t\t// Includes all Pilot headers\r\n"
              "#include <SysAll.h>\t\t\t// Includes all Pilot headers\r\n"
              "#include <StringMgr.h>\t\t// Includes all Pilot headers\r\n");
    EXPECT_NE(h.find("VoidHand _Handle; //Fernlow Reserved field\r\nchar * nom;\r\nULong montant;"),
              std::string::npos);
    EXPECT_NE(h.find("Boolean Open2Contacts(DmOpenRef * ContactsDB, char * theScriptFileName, "
                     "Boolean DoCreate, ULong theCreatorID, ULong theDatabaseTYPE);"),
              std::string::npos);
    EXPECT_EQ(h.find("GetEncoded"), std::string::npos);
    EXPECT_EQ(c.find("GetEncoded"), std::string::npos);
    EXPECT_NE(c.find("Boolean GetContacts(DmOpenRef ContactsDB, Word recordNum, "),
              std::string::npos);
    EXPECT_NE(c.find("ErrDisplay(\"Database Update failed\");"), std::string::npos);
    EXPECT_NE(c.find("l_pRec = MemHandleLock(recHandle);"), std::string::npos);
    EXPECT_EQ(c.find("UInt32"), std::string::npos);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(CSourceTest, GeneratorsNeedWriteModeAndReportWriteFailures) {
    declareContacts("Contacts", true);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    ASSERT_EQ(builder_->PDBload(file("Contacts.pdb")), NO_ERROR);
    EXPECT_EQ(builder_->PDBcDevelopper(), ERR_WRITE_MODE_REQUIRED);
    EXPECT_EQ(builder_->PDBcDevelopper2(file("Contacts.ini")), ERR_WRITE_MODE_REQUIRED);
    EXPECT_FALSE(std::filesystem::exists(file("Contacts.c")));
    EXPECT_FALSE(std::filesystem::exists(file("Contacts.h")));
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    ASSERT_EQ(builder_->PDBopen(file("missing/x"), "CTCT", "DATA", "X"), NO_ERROR);
    EXPECT_EQ(builder_->PDBcDevelopper(), ERR_C_DEVELOPPER_FAILED);
    EXPECT_EQ(builder_->PDBcDevelopper2(file("missing/x.ini")), ERR_C_DEVELOPPER_FAILED);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
}

TEST_F(CSourceTest, BothGeneratorsCompileWhateverTheFileName) {
    if (!haveCompiler()) {
        GTEST_SKIP() << "no C compiler";
    }
    // A file name unlike the database name: the source includes the header as written.
    ASSERT_EQ(builder_->PDBopen(file("my export.pdb"), "CT'C", "DA\\A", "Contacts"), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("nom", ""), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddNumField("montant", 0), NO_ERROR);
    ASSERT_EQ(builder_->PDBaddStrField("autre", ""), NO_ERROR);
    ASSERT_EQ(builder_->PDBcDevelopper(), NO_ERROR);
    EXPECT_NE(contents("my export.c").find("#include \"my export.h\""), std::string::npos);
    const std::string include =
        " -I" + quote(kPalmOs + "/new") + " -I" + quote(dir_.path().string());
    CommandResult r =
        run("gcc -fsyntax-only " + kWarnings + include + " " + quote(file("my export.c")));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);

    // The old generator, from a script whose extension is not three letters long.
    test::writeAll(dir_.path() / "Old.script", "[BUILDERaSSISTANT]\r\nCreatorID=CTCT\r\n"
                                               "DataBase Type=DATA\r\nCount=2\r\nField0=nom\r\n"
                                               "IsNumeric1=1\r\nField1=montant\r\n");
    ASSERT_EQ(builder_->PDBopenFromScript(file("Old.script"), file("db"), "Db"), NO_ERROR);
    ASSERT_EQ(builder_->PDBcDevelopper2(file("Old.script")), NO_ERROR);
    EXPECT_NE(contents("Old.c").find("#include \"Old.h\""), std::string::npos);
    EXPECT_NE(contents("Old.h").find("Boolean GetOld.sc("), std::string::npos); // prefix "Old.sc"
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);

    // Both dialects of the Contacts layout, and a layout without fields.
    for (bool oldDialect : {false, true}) {
        SCOPED_TRACE(oldDialect ? "old" : "new");
        test::writeAll(dir_.path() / "Contacts.ini", "x");
        declareContacts("Contacts", false);
        ASSERT_EQ(oldDialect ? builder_->PDBcDevelopper2(file("Contacts.ini"))
                             : builder_->PDBcDevelopper(),
                  NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
        r = run("gcc -fsyntax-only " + kWarnings + " -I" +
                quote(kPalmOs + (oldDialect ? "/old" : "/new")) + " -I" +
                quote(dir_.path().string()) + " " + quote(file("Contacts.c")));
        EXPECT_EQ(r.status, 0) << r.output;
        ASSERT_EQ(builder_->PDBopen(file("Empty"), "CTCT", "DATA", "Empty"), NO_ERROR);
        test::writeAll(dir_.path() / "Empty.ini", "x");
        ASSERT_EQ(oldDialect ? builder_->PDBcDevelopper2(file("Empty.ini"))
                             : builder_->PDBcDevelopper(),
                  NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
        r = run("gcc -fsyntax-only " + kWarnings + " -I" +
                quote(kPalmOs + (oldDialect ? "/old" : "/new")) + " -I" +
                quote(dir_.path().string()) + " " + quote(file("Empty.c")));
        EXPECT_EQ(r.status, 0) << r.output;
    }
}

TEST_F(CSourceTest, NewCodeReadsPlainAndEncodedBuildsAndWritesWhatTheBuilderLoads) {
    if (!haveCompiler()) {
        GTEST_SKIP() << "no C compiler";
    }
    declareContacts("Contacts", true);
    ASSERT_EQ(builder_->PDBcDevelopper(), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    keys_ = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xE1};
    declareContacts("Contacts", true, true);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string driver = buildDriver(false);
    ASSERT_FALSE(driver.empty());

    const CommandResult read = runDriver(driver, "read " + quote(file("Contacts.pdb")) + " " +
                                                     quote(file("Contacts.encoded.pdb")));
    ASSERT_EQ(read.status, 0) << read.output;
    std::vector<std::string> expected;
    std::vector<std::string> expectedEncoded;
    for (int i = 0; i < 4; ++i) {
        expected.push_back(expectedLine("R", i + 1, kRows[i]));
        expectedEncoded.push_back(expectedLine("E", i + 1, kRows[i]));
    }
    EXPECT_EQ(lines(read.output, "R"), expected);
    EXPECT_EQ(lines(read.output, "E"), expectedEncoded);
    for (const char* line : {"COUNT 5\n", "GET0 0\n", "GETN 0\n", "EGET0 0\n", "CMPNUM 2 11 21\n",
                             "CMPSTR 2 3 11 21\n", "LOCKED 0\n"}) {
        EXPECT_NE(read.output.find(line), std::string::npos) << line << read.output;
    }
    std::string dupont = toHex("Dupont");
    dupont.erase(std::remove(dupont.begin(), dupont.end(), ' '), dupont.end());
    EXPECT_NE(read.output.find("DISTINCT 11 value=" + dupont), std::string::npos) << read.output;

    const CommandResult update = runDriver(driver, "update " + quote(file("Contacts.pdb")) + " " +
                                                       quote(file("updated.pdb")));
    ASSERT_EQ(update.status, 0) << update.output;
    for (const char* line : {"UPDATE1 1\n", "UPDATE2 1\n", "APPEND 1\n", "MOVED 1\n", "ERRORS 0",
                             "BACKUP 1\n", "LOCKED 0\n"}) {
        EXPECT_NE(update.output.find(line), std::string::npos) << line << update.output;
    }
    EXPECT_EQ(loadRows(file("updated.pdb")),
              (std::vector<std::string>{"Dupont modifi\xC3\xA9|424242|premier \xE9t\xE9|15",
                                        "Durand|0||225", "Petit|14|" + kLongNote + "|50625",
                                        "Nouveau|50625|-|225", "Martin|7|-|3375"}));

    const CommandResult create = runDriver(driver, "create " + quote(file("fresh.pdb")));
    ASSERT_EQ(create.status, 0) << create.output;
    EXPECT_EQ(
        loadRows(file("fresh.pdb")),
        (std::vector<std::string>{"Premier|1|premi\xC3\xA8re note|3375", "Second|4294967295|-|0"}));
    EXPECT_EQ(contents("fresh.pdb").substr(0, 6), std::string("Fresh") + '\0');
}

TEST_F(CSourceTest, OldCodeReadsAndAppendsButCannotGrowARecordItHoldsLocked) {
    if (!haveCompiler()) {
        GTEST_SKIP() << "no C compiler";
    }
    test::writeAll(dir_.path() / "Contacts.ini", "x");
    declareContacts("Contacts", true);
    ASSERT_EQ(builder_->PDBcDevelopper2(file("Contacts.ini")), NO_ERROR);
    ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    const std::string driver = buildDriver(true);
    ASSERT_FALSE(driver.empty());
    const CommandResult read = runDriver(driver, "read " + quote(file("Contacts.pdb")));
    ASSERT_EQ(read.status, 0) << read.output;
    std::vector<std::string> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back(expectedLine("R", i + 1, kRows[i]));
    }
    EXPECT_EQ(lines(read.output, "R"), expected);
    EXPECT_NE(read.output.find("GET0 0\n"), std::string::npos);
    EXPECT_NE(read.output.find("CMPSTR 2 3 11 21\n"), std::string::npos) << read.output;

    const CommandResult update = runDriver(driver, "update " + quote(file("Contacts.pdb")) + " " +
                                                       quote(file("updated.pdb")));
    ASSERT_EQ(update.status, 0) << update.output;
    // The record read last is still locked, so it cannot grow: the old code says so.
    for (const char* line : {"UPDATE1 0\n", "UPDATE2 1\n", "APPEND 1\n",
                             "ERRORS 1 Database Update failed\n", "BACKUP 1\n", "LOCKED 0\n"}) {
        EXPECT_NE(update.output.find(line), std::string::npos) << line << update.output;
    }
    EXPECT_EQ(loadRows(file("updated.pdb")),
              (std::vector<std::string>{
                  "Dupont|123456|premier \xE9t\xE9|15", "Durand|0||225", "Martin|4294967295|-|3375",
                  "Petit|14|" + kLongNote + "|50625", "Nouveau|50625|-|225"}));
    const CommandResult create = runDriver(driver, "create " + quote(file("fresh.pdb")));
    ASSERT_EQ(create.status, 0) << create.output;
    EXPECT_EQ(loadRows(file("fresh.pdb")).size(), 2u);
}

} // namespace
} // namespace trellisk
