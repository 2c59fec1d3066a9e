#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"

namespace cli {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

template <typename F> Outcome run(F command, const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(LedgerCommands, BalanceOpensTheAccountAsTheProgramDoes) {
    const Outcome r = run(runBalance, {std::string(LEDGORA_TEST_DATA) + "/register/sample.ldg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Solde : 2344.70\nSolde pointé : 304.70\n");
}

TEST(LedgerCommands, BalanceReportsTheLoadMessage) {
    const Outcome r = run(runBalance, {"/nonexistent/a.ldg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file /nonexistent/a.ldg\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run(runBalance, {}).status, 2);
}

TEST(LedgerCommands, ConvertsBothWays) {
    struct Case {
        Args args;
        bool toEuros;
        std::string out;
    };
    const Case cases[] = {
        {{"100"}, true, "15.24 0.03\n"},          {{"-10"}, true, "-1.52 -0.03\n"},
        {{"3279.79"}, true, "500.00 0.01\n"},     {{"15.24", "0.03"}, false, "100.00\n"},
        {{"500.00", "0.01"}, false, "3279.79\n"}, {{"500.00"}, false, "3279.79\n"},
        {{"abc"}, true, "0.00 0.00\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.toEuros ? runEuros : runFrancs, c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out) << c.args[0];
    }
    EXPECT_EQ(run(runEuros, {}).status, 2);
    EXPECT_EQ(run(runFrancs, {"1", "2", "3"}).status, 2);
}

} // namespace
} // namespace cli
