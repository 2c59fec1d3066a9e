// CSV export and import, and builds declared by a script.
#include <gtest/gtest.h>

#include "BuilderFixture.h"

namespace trellisk {
namespace {

using test::BuilderTest;

const char* kScript = "[BUILDERaSSISTANT]\r\n"
                      "CreatorID=ABCD\r\n"
                      "DataBase Type=DATA\r\n"
                      "Count=3\r\n"
                      "Field0=Nom\r\n"
                      "IsNumeric1=1\r\n"
                      "Field1=Montant\r\n"
                      "IsNumeric2=0\r\n"
                      "Field2=Note\r\n";

class CsvTest : public BuilderTest {
protected:
    void SetUp() override { test::writeAll(dir_.path() / "s.ini", kScript); }

    // Builds out.pdb from the CSV text and exports it back with `separator`; the CSV
    // text of the export, or "<not built>" when out.pdb is not a database.
    std::string roundTrip(const std::string& csv, const std::string& separator = ";",
                          EnumErrors expectedBuild = NO_ERROR) {
        test::writeAll(dir_.path() / "in.csv", csv);
        EXPECT_EQ(builder_->PDBopenFromScript(file("s.ini"), file("out"), "Out"), NO_ERROR);
        EXPECT_EQ(builder_->PDBbuildWithCsv(file("in.csv"), separator), expectedBuild);
        EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
        if (builder_->PDBexportToCsv(file("out.pdb"), file("export.txt"), separator) != NO_ERROR) {
            return "<not built>";
        }
        return contents("export.csv");
    }
};

TEST_F(CsvTest, ImportRules) {
    struct Case {
        const char* what;
        std::string csv;
        std::string exported;
        // An import that stopped before the end of the file still builds the records
        // before the line that stopped it, and says so.
        EnumErrors build = NO_ERROR;
    };
    const Case cases[] = {
        {"plain lines", "Dupont;12;un\r\nDurand;34;deux\r\n",
         "Dupont; 12; un\r\nDurand; 34; deux\r\n"},
        {"leading blanks: kept by strings, ignored by numbers", "Dupont; 12; un\r\n",
         "Dupont; 12;  un\r\n"},
        {"a trailing separator stays in the last value, which the export then quotes",
         "Dupont;12;un;\r\n", "Dupont; 12; \"un;\"\r\n"},
        {"a number that is not one is 0", "Dupont;12abc;un\r\n", "Dupont; 0; un\r\n"},
        {"missing values stay absent", "Dupont;5\r\n", "Dupont; 5; \r\n"},
        {"an empty line ends the import", "Dupont;1;a\r\n\r\nDurand;2;b\r\n", "Dupont; 1; a\r\n",
         ERR_BUILD_FAILED},
        {"empty lines at the end lose nothing", "Dupont;1;a\r\n\r\n\r\n", "Dupont; 1; a\r\n"},
        {"an empty first line adds the record of defaults", "\r\nDupont;1;a\r\n",
         "; 0; \r\nDupont; 1; a\r\n"},
        {"lines ending with LF alone are one unterminated line", "Dupont;1;a\nDurand;2;b\n", "",
         ERR_BUILD_FAILED},
        {"the last line needs its CR LF", "Dupont;1;a\r\nDurand;2;b", "Dupont; 1; a\r\n",
         ERR_BUILD_FAILED},
        {"a last line ending with CR only is not imported", "Dupont;1;a\r\nDurand;2;b\r",
         "Dupont; 1; a\r\n", ERR_BUILD_FAILED},
        {"more values than fields end the import", "Dupont;1;a\r\nDurand;2;b;c;d\r\nMartin;3;c\r\n",
         "Dupont; 1; a\r\n", ERR_BUILD_FAILED},
        {"a negative number ends the import", "Dupont;1;a\r\nDurand;-2;b\r\n", "Dupont; 1; a\r\n",
         ERR_BUILD_FAILED},
        {"8-bit text passes through", "\xC9lise;7;\xE9t\xE9\r\n", "\xC9lise; 7; \xE9t\xE9\r\n"},
        {"quoted values, as a spreadsheet writes them", "\"Du;pont\";\"12\";\"dit \"\"un\"\"\"\r\n",
         "\"Du;pont\"; 12; dit \"un\"\r\n"},
        {"text after the closing quote is kept", "\"Du\"pont;1;a\r\n", "Dupont; 1; a\r\n"},
        {"a quote inside an unquoted value is a character", "Du\"pont;1;a\"\r\n",
         "Du\"pont; 1; a\"\r\n"},
        {"an unclosed quote runs to the end and loses its line",
         "Dupont;1;a\r\nDurand;2;\"b\r\nMartin;3;c\r\n", "Dupont; 1; a\r\n", ERR_BUILD_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir_.path() / "out.pdb");
        EXPECT_EQ(roundTrip(c.csv, ";", c.build), c.exported);
    }
}

// Values that would split a line, or start like a quoted one, are quoted by the export and
// come back whole; every other value is written as before. The value stands first and
// last in its line: after a separator the import keeps the export's space, as always.
TEST_F(CsvTest, ValuesThatWouldSplitAreQuotedAndReadBackWhole) {
    test::writeAll(dir_.path() / "two.ini", "[BUILDERaSSISTANT]\r\nCreatorID=ABCD\r\n"
                                            "DataBase Type=DATA\r\nCount=2\r\nField0=a\r\n"
                                            "Field1=b\r\n");
    struct Case {
        const char* what;
        std::string value;
        std::string written;
    };
    const Case cases[] = {
        {"the separator", "a;b", "\"a;b\""},
        {"CR LF", "ligne 1\r\nligne 2", "\"ligne 1\r\nligne 2\""},
        {"LF alone", "a\nb", "\"a\nb\""},
        {"CR alone", "a\rb", "\"a\rb\""},
        {"a leading quote, inner quotes doubled", "\"x\" y", "\"\"\"x\"\" y\""},
        {"a quote further on stays as it is", "pouce 12\"", "pouce 12\""},
        {"a blank then a quote stays as it is", " \"x", " \"x"},
        {"another separator is a character", "a|b", "a|b"},
        {"plain", "abc", "abc"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open("src");
        ASSERT_EQ(builder_->PDBaddStrField("a", c.value), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddStrField("b", c.value), NO_ERROR);
        ASSERT_EQ(builder_->PDBaddRecord(), NO_ERROR);
        ASSERT_EQ(builder_->PDBbuild(), NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
        ASSERT_EQ(builder_->PDBexportToCsv(file("src.pdb"), file("src"), ";"), NO_ERROR);
        EXPECT_EQ(contents("src.csv"), c.written + "; " + c.written + "\r\n");
        EXPECT_TRUE(test::ownerOnly(file("src.csv")));

        ASSERT_EQ(builder_->PDBopenFromScript(file("two.ini"), file("back"), "Back"), NO_ERROR);
        EXPECT_EQ(builder_->PDBbuildWithCsv(file("src.csv"), ";"), NO_ERROR);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
        ASSERT_EQ(builder_->PDBload(file("back.pdb")), NO_ERROR);
        ASSERT_EQ(builder_->PDBgetRecordCount(), 2);
        ASSERT_EQ(builder_->PDBgetRecord(1), NO_ERROR);
        std::string a = "?", b = "?";
        EXPECT_EQ(builder_->PDBgetStrField("a", a), NO_ERROR);
        EXPECT_EQ(builder_->PDBgetStrField("b", b), NO_ERROR);
        EXPECT_EQ(a, c.value);
        EXPECT_EQ(b, " " + c.value);
        ASSERT_EQ(builder_->PDBclose(), NO_ERROR);
    }
}

TEST_F(CsvTest, SeparatorIsTheFirstCharacterOrSemicolon) {
    EXPECT_EQ(roundTrip("Dupont|12|un\r\n", "|x"), "Dupont| 12| un\r\n");
    EXPECT_EQ(roundTrip("Dupont;12;un\r\n", ""), "Dupont; 12; un\r\n");
}

TEST_F(CsvTest, ALineLongerThanTheBufferIsRefusedAndNothingIsWritten) {
    test::writeAll(dir_.path() / "out.pdb", "previous");
    const std::string longLine = "Dupont;1;" + std::string(1100, 'x') + "\r\n";
    EXPECT_EQ(roundTrip("Durand;2;b\r\n" + longLine, ";", ERR_BUILD_FAILED), "<not built>");
    EXPECT_EQ(contents("out.pdb"), "previous");
    // A line of 1,023 bytes still fits.
    const std::string fits = "Dupont;1;" + std::string(1014, 'x');
    EXPECT_EQ(roundTrip(fits + "\r\n"), "Dupont; 1; " + std::string(1014, 'x') + "\r\n");
}

TEST_F(CsvTest, AnUnreadableCsvGivesADatabaseWithoutDataRecords) {
    ASSERT_EQ(builder_->PDBopenFromScript(file("s.ini"), file("out"), "Out"), NO_ERROR);
    EXPECT_EQ(builder_->PDBbuildWithCsv(file("absent.csv"), ";"), NO_ERROR);
    EXPECT_EQ(builder_->PDBgetRecordCount(), 1);
    EXPECT_EQ(builder_->PDBclose(), NO_ERROR);
    EXPECT_EQ(builder_->PDBbuildWithCsv(file("absent.csv"), ";"), ERR_WRITE_MODE_REQUIRED);
}

TEST_F(CsvTest, ExportOfADatabaseThatCannotBeLoaded) {
    EXPECT_EQ(builder_->PDBexportToCsv(file("absent.pdb"), file("x.csv"), ";"),
              ERR_INVALID_FILENAME);
    EXPECT_FALSE(std::filesystem::exists(file("x.csv")));
    // Export closes the object by itself.
    roundTrip("Dupont;1;a\r\n");
    EXPECT_EQ(builder_->PDBclose(), ERR_ALREADY_CLOSE);
    // Into a folder that does not exist: an error, not a silent success.
    EXPECT_EQ(builder_->PDBexportToCsv(file("out.pdb"), file("missing/x"), ";"),
              ERR_INVALID_FILENAME);
    EXPECT_EQ(builder_->mode(), TTrellisk::Mode::Closed);
}

TEST_F(BuilderTest, ScriptDeclaresTheFieldsInOrder) {
    struct Case {
        const char* what;
        std::string script;
        EnumErrors expected;
        TTrellisk::Mode mode;
    };
    const std::string head = "[BUILDERaSSISTANT]\r\nCreatorID=ABCD\r\nDataBase Type=DATA\r\n";
    const Case cases[] = {
        {"count 0 after opening", head + "Count=0\r\n", ERR_SCRIPT_HAS_NO_FIELDS,
         TTrellisk::Mode::Write},
        {"no count", head, ERR_SCRIPT_HAS_NO_FIELDS, TTrellisk::Mode::Write},
        {"bad creator", "[BUILDERaSSISTANT]\r\nCreatorID=AB\r\nCount=1\r\n", ERR_INVALID_CREATORID,
         TTrellisk::Mode::Closed},
        {"a line longer than the buffer",
         head + "Field0=" + std::string(1100, 'n') + "\r\nCount=1\r\n", ERR_SCRIPT_NOT_FOUND,
         TTrellisk::Mode::Closed},
        {"a field that cannot be declared",
         head + "Count=1\r\nIsNumeric0=1\r\nField0=" + std::string(230, 'n') + "\r\n",
         ERR_ADDNUMFIELD_FAILED, TTrellisk::Mode::Write},
        {"a count past the last ID, even of one repeated name", head + "Count=300\r\n",
         ERR_ADDSTRFIELD_FAILED, TTrellisk::Mode::Write},
        {"sections and keys without regard to case, quotes stripped",
         "[builderAssistant]\r\ncreatorid = \"ABCD\"\r\nDATABASE TYPE=DATA\r\nCOUNT=1\r\n",
         NO_ERROR, TTrellisk::Mode::Write},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recreate();
        test::writeAll(dir_.path() / "s.ini", c.script);
        EXPECT_EQ(builder_->PDBopenFromScript(file("s.ini"), file("o"), "O"), c.expected);
        EXPECT_EQ(builder_->mode(), c.mode);
    }
    // A script that does not exist reads as empty.
    recreate();
    EXPECT_EQ(builder_->PDBopenFromScript(file("absent.ini"), file("o"), "O"),
              ERR_INVALID_CREATORID);
    EXPECT_EQ(builder_->PDBopenFromScript(dir_.path().string(), file("o"), "O"),
              ERR_SCRIPT_NOT_FOUND);

    // Fields in script order, with their types; a record of defaults under construction.
    recreate();
    test::writeAll(dir_.path() / "s.ini", kScript);
    ASSERT_EQ(builder_->PDBopenFromScript(file("s.ini"), file("o"), "O"), NO_ERROR);
    ASSERT_EQ(builder_->fields().size(), 3u);
    EXPECT_EQ(builder_->fields()[0].name, "nom");
    EXPECT_EQ(builder_->PDBgetIsNumFieldWithID(1), 1);
    EXPECT_EQ(builder_->PDBgetIsStrFieldWithID(2), 1);
    EXPECT_EQ(builder_->PDBaddRecord(), NO_ERROR);
    EXPECT_EQ(builder_->PDBaddRecord(), ERR_RECORD_EMPTY);
}

TEST_F(BuilderTest, ScriptWithMoreFieldsThanIdsStopsAtTheLimit) {
    std::string script =
        "[BUILDERaSSISTANT]\r\nCreatorID=ABCD\r\nDataBase Type=DATA\r\nCount=300\r\n";
    for (int i = 0; i < 300; ++i) {
        script += "Field" + std::to_string(i) + "=f" + std::to_string(i) + "\r\n";
    }
    test::writeAll(dir_.path() / "s.ini", script);
    EXPECT_EQ(builder_->PDBopenFromScript(file("s.ini"), file("o"), "O"), ERR_ADDSTRFIELD_FAILED);
    EXPECT_EQ(builder_->PDBgetFieldCount(), 225);
}

} // namespace
} // namespace trellisk
