#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "platform/FileIO.h"
#include "support/TempFolder.h"

namespace calculator {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun calc(const cli::Args& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::runCalc(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CalcCommandTest, ComputesAPageFromStandardInput) {
    const struct {
        cli::Args args;
        const char* input;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{}, "2+3\n1÷3\n", 0, "2+3=5,00\n1÷3=0,33\n", ""},
        {{"--float"}, "1÷3", 0, "1÷3=0,333333333333333\n", ""},
        {{"--none"}, "2,6×1", 0, "2,6×1=3\n", ""},
        {{"--decimals", "4"},
         "1/3\r\n",
         1,
         "1/3=?\n",
         "Erreur de syntaxe en ligne 1 : expression incorrecte.\n"},
        {{"--decimals", "4"}, "1÷3\r\n", 0, "1÷3=0,3333\n", ""},
        {{"--var", "x=2", "--var", "y=1.5"}, "x^2+y\n", 0, "x^2+y=5,50\n", ""},
        {{},
         "1+1=9\n=3\n4÷0\n2+2=old\n",
         1,
         "1+1=2,00\n\n4÷0=?\n2+2=old\n",
         "Erreur en ligne 3 : division par zéro.\n"},
        {{"--var", "x=abc"}, "x\n", 1, "x\n", "La valeur de la variable x est incorrecte.\n"},
        {{},
         "1\xF7"
         "3\n",
         0,
         "1÷3=0,33\n",
         ""},
        {{}, "", 0, "", ""},
    };
    for (const auto& c : cases) {
        const CliRun r = calc(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << c.input;
        EXPECT_EQ(r.out, c.out) << c.input;
        EXPECT_EQ(r.err, c.err) << c.input;
    }
}

TEST(CalcCommandTest, ReadsPagesAndCalculationFiles) {
    ledgora::testing::TempFolder folder;
    const auto page = folder.path() / "page.txt";
    platform::writeFileAtomically(page, "10×10\n");
    EXPECT_EQ(calc({page.string()}).out, "10×10=100,00\n");

    const CliRun clc = calc({"--float", std::string(LEDGORA_TEST_DATA) + "/calculator/page.CLC"});
    EXPECT_EQ(clc.status, 0);
    EXPECT_EQ(clc.out, "2+3=5\n1÷3=0,333333333333333\nx^2=4\n");

    const auto bad = folder.path() / "bad.CLC";
    platform::writeFileAtomically(bad, "x");
    EXPECT_EQ(calc({bad.string()}).err, "Format de fichier non reconnu.\n");
}

TEST(CalcCommandTest, RefusesBadArguments) {
    const cli::Args cases[] = {
        {"--decimals"},        {"--decimals", "0"},   {"--decimals", "16"},
        {"--decimals", "x"},   {"--float", "--none"}, {"--var", "a=1"},
        {"--var", "x"},        {"--bogus"},           {"a", "b"},
        {"/nonexistent/file"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(calc(args).status, 2) << args[0];
    }
}

} // namespace
} // namespace calculator
