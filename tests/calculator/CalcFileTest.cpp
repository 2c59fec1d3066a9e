#include <gtest/gtest.h>
#include <string>

#include "calculator/CalcFile.h"
#include "platform/FileIO.h"

namespace calculator {
namespace {

std::string golden() {
    return platform::readFile(std::string(LEDGORA_TEST_DATA) + "/calculator/page.CLC").value();
}

CalcFile goldenContents() {
    CalcFile file;
    file.lines = {"2+3=5,00", "1÷3=0,33", "x^2=4,00"};
    file.variables = {"2", "0", "0", "0", "0", "0", "0", "0", "0", "1,5"};
    file.decimals[3] = true;
    return file;
}

TEST(CalcFileTest, ReadsAndWritesTheGoldenFileByteForByte) {
    const auto read = readCalcFile(golden());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, goldenContents());
    EXPECT_EQ(writeCalcFile(*read), golden());
}

TEST(CalcFileTest, OneLineAndOneFieldAtATime) {
    CalcFile file;
    file.mode = DisplayMode::Tape;
    file.decimals[1] = true;
    file.variables[0] = "é";
    const std::string bytes = writeCalcFile(file);
    EXPECT_TRUE(bytes.starts_with("0\r\n\xE9\r\n\r\n"));
    EXPECT_NE(bytes.find("\r\n1\r\n0\r\n1\r\n0\r\n"), std::string::npos); // mode, Aucune, Flottante
    EXPECT_EQ(readCalcFile(bytes), file);

    // A line break inside a line would shift every following line.
    file.lines = {"a\rb"};
    EXPECT_EQ(readCalcFile(writeCalcFile(file))->lines[0], "a b");
}

TEST(CalcFileTest, TheWorksheetRoundTripsThroughAFile) {
    Worksheet sheet;
    sheet.setPage("2+3=5,00\n1÷3=0,33\nx^2=4,00\n");
    sheet.variables() = goldenContents().variables;
    EXPECT_EQ(writeCalcFile(calcFileOf(sheet)), golden());

    Worksheet loaded;
    applyCalcFile(*readCalcFile(golden()), loaded);
    EXPECT_EQ(loaded.page(), "2+3=5,00\n1÷3=0,33\nx^2=4,00\n");
    EXPECT_EQ(loaded.variables()[9], "1,5");
    EXPECT_EQ(writeCalcFile(calcFileOf(loaded)), golden());
}

TEST(CalcFileTest, RefusesWhatIsNotACalculationFile) {
    const std::string good = golden();
    const std::string cases[] = {
        "",
        "abc\r\n",
        "-1\r\n",
        " 3\r\n" + good.substr(3),
        "4\r\n" + good.substr(3),
        "999999999\r\n",
        "99999999999999999999\r\n",
        good.substr(0, good.size() - 3), // last decimals line missing
        good.substr(0, good.find("\r\n0\r\n0\r\n0\r\n1\r\n")) + "\r\n2\r\n0\r\n0\r\n1\r\n" +
            std::string(39, '0'),
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(readCalcFile(bytes), std::nullopt) << bytes.substr(0, 20);
    }
    // An empty page, and decimals lines other than "1", are fine.
    std::string empty = "0\r\n";
    for (int i = 0; i < 10; ++i) {
        empty += "0\r\n";
    }
    empty += "1\r\n";
    for (int i = 0; i < 17; ++i) {
        empty += i == 5 ? "1\r\n" : "x\r\n";
    }
    const auto file = readCalcFile(empty);
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->lines.empty());
    EXPECT_EQ(file->mode, DisplayMode::Tape);
    EXPECT_TRUE(file->decimals[5]);
    EXPECT_FALSE(file->decimals[0]);
}

} // namespace
} // namespace calculator
