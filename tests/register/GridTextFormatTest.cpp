#include <gtest/gtest.h>

#include "TestWorld.h"
#include "platform/FileIO.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

std::string golden(const std::string& name) {
    return platform::readFile(std::string(LEDGORA_TEST_DATA) + "/register/" + name).value();
}

Grid newAccountRegister() {
    Grid reg = makeRegister(3);
    reg.set(1, col::Pointage, "X");
    reg.set(1, col::Date, "05/03/2024");
    reg.set(1, col::Rubrique, "Solde initial");
    reg.set(1, col::Notes, "Solde initial");
    reg.set(1, col::Credit, "100.00");
    reg.set(1, col::Solde, "100.00");
    return reg;
}

TEST(GridTextFormat, WritesANewAccountByteForByte) {
    EXPECT_EQ(writeGridText(newAccountRegister()), golden("new-account.ldg"));
}

TEST(GridTextFormat, ReadsBackWhatItWrote) {
    Grid read;
    ASSERT_EQ(readGridText(golden("new-account.ldg"), read), GridTextStatus::Ok);
    EXPECT_EQ(read, newAccountRegister());
    EXPECT_EQ(read.at(0, col::Numero), "Numéro");
}

TEST(GridTextFormat, KeepsCommasAndEscapesLineEnds) {
    struct Case {
        std::string cell;
        std::string line;     // as written
        std::string readBack; // as read
    };
    const Case cases[] = {
        {"a,b", "5,4,a,b", "a,b"},
        {"x\r\ny", "5,4,x\t\by", "x"},
        {"x\ny", "5,4,x\by", "x\ny"},
        {"Électricité", "5,4,\xC9lectricit\xE9", "Électricité"},
        {"tab\there", "5,4,tab\there", "tab\there"},
    };
    for (const auto& c : cases) {
        Grid g(5, 6);
        g.set(4, 5, c.cell);
        const std::string bytes = writeGridText(g);
        EXPECT_NE(bytes.find("\r\n" + c.line + "\r\n"), std::string::npos) << c.line;
        Grid back(5, 6);
        ASSERT_EQ(readGridText(bytes, back), GridTextStatus::Ok);
        EXPECT_EQ(back.at(4, 5), c.readBack);
    }
}

TEST(GridTextFormat, WritesOnlyTheRequestedColumns) {
    Grid g(2, 12);
    g.set(1, 10, "0.03");
    g.set(1, 9, "15.24");
    const std::string bytes = writeGridText(g, 10);
    EXPECT_EQ(bytes.substr(0, 6), "10,2\r\n");
    EXPECT_EQ(bytes.find("0.03"), std::string::npos);
    EXPECT_NE(bytes.find("9,1,15.24"), std::string::npos);
}

TEST(GridTextFormat, ReadsTolerantlyAndSkipsWhatLiesOutside) {
    Grid g;
    const std::string text = "3,2\r\n"
                             "cw 1,120\r\n"
                             "cw 7,50\r\n"
                             "cw x,50\r\n"
                             "cwnonsense\r\n"
                             "1,1,inside\r\n"
                             "3,1,column outside\r\n"
                             "1,2,row outside\r\n"
                             "-1,0,negative\r\n"
                             "a,b,garbage\r\n"
                             "2,1\r\n"
                             "2,1,\r\n"
                             "0,0,origin";
    ASSERT_EQ(readGridText(text, g), GridTextStatus::Ok);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.columnCount(), 3);
    EXPECT_EQ(g.columnWidth(1), 120);
    EXPECT_EQ(g.at(1, 1), "inside");
    EXPECT_EQ(g.at(0, 0), "origin");
    EXPECT_EQ(g.at(1, 2), "");
}

// Whatever a cell line holds, and however lines end, a cell reads as the line said.
TEST(GridTextFormat, EveryKindOfCellLineReadsAsWritten) {
    struct Case {
        std::string lines; // after the size line
        int row;
        int column;
        std::string text;
    };
    const Case cases[] = {
        {"2,1,05/03/2024\r\n", 1, 2, "05/03/2024"},
        {"+2,1,signed", 1, 2, "signed"},
        {"002,01,zeros\r\n", 1, 2, "zeros"},
        {"2,0000000001,ten digits\r\n", 1, 2, "ten digits"},
        {"2,1,caf\xE9\r\n", 1, 2, "café"},
        {"2,1,\xE9t\xE9\bet plus\r\n", 1, 2, "été\net plus"},
        {"2,1,a\tb\r\n", 1, 2, "a\tb"},
        {"2,1,a\x01"
         "b\r\n",
         1, 2,
         "a\x01"
         "b"},
        {"2,1,-1234567.89\r\n", 1, 2, "-1234567.89"},
        {"2,1,-0.00\r\n", 1, 2, "-0.00"},
        {"2,1,0012345.60\r\n", 1, 2, "0012345.60"},
        {"2,1,12345678.9\r\n", 1, 2, "12345678.9"},
        {"2,1,99999999999999999.99\r\n", 1, 2, "99999999999999999.99"},
        {"2,1,first\r2,2,lone CR\n2,3,LF", 2, 2, "lone CR"},
        {"2,1,first\r2,2,lone CR\n2,3,LF", 3, 2, "LF"},
        {"2,1,March\xE9, boulangerie du coin", 1, 2, "Marché, boulangerie du coin"},
        {"2,1,long\r\n2,1,\r\n", 1, 2, ""},
        {"2,4,outside\r\n2,1,inside", 1, 2, "inside"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        Grid g;
        ASSERT_EQ(readGridText("3,4\r\n" + c.lines, g), GridTextStatus::Ok);
        EXPECT_EQ(g.at(c.row, c.column), c.text);
    }
}

TEST(GridTextFormat, AnEmptyFirstLineKeepsTheGridSize) {
    Grid g(4, 12);
    g.set(3, 5, "kept");
    ASSERT_EQ(readGridText("\r\n5,2,loaded\r\n", g), GridTextStatus::Ok);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.at(2, 5), "loaded");
    EXPECT_EQ(g.at(3, 5), "kept");
}

TEST(GridTextFormat, RefusesFilesWithoutData) {
    const std::string texts[] = {
        "0,5\r\n",          "12,0\r\n", "12\r\n", "x,y\r\n", "-12,3\r\n", "12,99999999999\r\n",
        "12,400000000\r\n", // far more rows than any file of this size can mean
        "5000,2\r\n",
    };
    for (const auto& text : texts) {
        Grid g(3, 12);
        g.set(1, 1, "untouched");
        EXPECT_EQ(readGridText(text, g), GridTextStatus::NoData) << text;
        EXPECT_EQ(g.rowCount(), 3);
        EXPECT_EQ(g.at(1, 1), "untouched");
    }
    Grid empty;
    EXPECT_EQ(readGridText("", empty), GridTextStatus::NoData);
    EXPECT_EQ(readGridText("\r\n1,1,x\r\n", empty), GridTextStatus::NoData);
}

TEST(GridTextFormat, FileErrorsCarryTheProductMessages) {
    testing::TestWorld w;
    Grid g(3, 12);
    const auto missing = w.root / "missing.ldg";
    EXPECT_EQ(loadGridFile(missing, g), "Cannot open file " + missing.string());
    const auto corrupt = w.root / "corrupt.ldg";
    ASSERT_TRUE(platform::writeFileAtomically(corrupt, "garbage\r\n"));
    EXPECT_EQ(loadGridFile(corrupt, g),
              "File contains no data or corrupt file " + corrupt.string());
    const auto unwritable = w.root / "no-folder" / "a.ldg";
    EXPECT_EQ(saveGridFile(g, unwritable), "Cannot Create " + unwritable.string());
}

} // namespace
} // namespace ledgora
