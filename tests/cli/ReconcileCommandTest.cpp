#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"

namespace cli {
namespace {

TEST(ReconcileCommand, PrintsTheWindowsResultLine) {
    const std::string sample = std::string(LEDGORA_TEST_DATA) + "/register/sample.ldg";
    struct Case {
        Args args;
        int status;
        std::string out;
    };
    // The sample's reconciled balance is 304.70.
    const Case cases[] = {
        {{sample, "254.70"}, 0, "50.00 Euros en faveur de la banque\n"},
        {{sample, "354,70"}, 0, "50.00 Euros en votre faveur\n"},
        {{"--francs", sample, "304.7"}, 0, "0.00 Francs - Bravo !\n"},
        {{sample, "-"}, 0, "304.70 Euros en faveur de la banque\n"},
        {{"/nonexistent/a.ldg", "1"}, 1, ""},
        {{sample}, 2, ""},
        {{sample, "1", "2"}, 2, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runReconcile(c.args, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str().empty(), c.status == 0);
    }
}

} // namespace
} // namespace cli
