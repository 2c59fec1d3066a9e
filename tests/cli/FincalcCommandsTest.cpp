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

Outcome run(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(FincalcCommands, LoanPrintsTheWholeGrid) {
    const Outcome r =
        run(runLoan, {"--solve", "payment", "--amount", "1000", "--rate", "12", "--duration", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Somme à emprunter :\t1000\t\t\n"
                     "Taux annuel :\t12 %\t\t\n"
                     "Durée :\t2 mois\t\t\n"
                     "Mensualité :\t507.51\t\t\n"
                     "Somme des intérêts :\t15.02\t\t\n"
                     "Somme à rembourser :\t1015.02\t\t\n"
                     "\t\t\t\n"
                     "Mois\tCapital\tIntérêts\tReste à payer\n"
                     "1\t497.51\t10.00\t502.49\n"
                     "2\t502.49\t5.02\t0.00\n");
}

TEST(FincalcCommands, InterestPrintsTheWholeGrid) {
    const Outcome r = run(runInterest, {"compound", "--solve", "duration", "--capital", "100",
                                        "--rate", "12", "--final", "102,01", "--years"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Capital initial :\t100\n"
                     "Taux annuel :\t12 %\n"
                     "Durée :\t0 années\n"
                     "Capital final :\t102,01\n"
                     "Intérêts acquis :\t2.01\n"
                     "\t\n"
                     "\t\n"
                     "Mois\tCapital\n"
                     "1\t101.00\n"
                     "2\t102.01\n");
}

TEST(FincalcCommands, ComputesWhatTheWindowsCompute) {
    const struct {
        int (*command)(const Args&, std::ostream&, std::ostream&);
        Args args;
        int row;
        std::string line;
    } cases[] = {
        {runLoan,
         {"--solve", "duration", "--amount", "10000", "--rate", "6", "--payment", "360.06",
          "--years"},
         2,
         "Durée :\t2 années\t\t"},
        {runLoan,
         {"--solve", "rate", "--amount", "10000", "--duration", "12", "--payment", "860,66"},
         1,
         "Taux annuel :\t6.00 %\t\t"},
        {runLoan,
         {"--solve", "amount", "--rate", "6", "--duration", "1", "--years", "--payment", "860.66"},
         0,
         "Somme à emprunter :\t9999.95\t\t"},
        {runInterest,
         {"simple", "--solve", "interest", "--capital", "1000", "--rate", "5", "--duration", "3",
          "--months"},
         3,
         "Intérêts acquis :\t12.50"},
        {runInterest,
         {"simple", "--solve", "duration", "--capital", "1000", "--rate", "5", "--interest",
          "12.50"},
         2,
         "Durée :\t90 jours"},
        {runInterest,
         {"compound", "--solve", "rate", "--capital", "1000", "--duration", "12", "--final",
          "1126.83"},
         1,
         "Taux annuel :\t12.00 %"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.command, c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        std::istringstream lines(r.out);
        std::string line;
        for (int i = 0; i <= c.row; ++i) {
            std::getline(lines, line);
        }
        EXPECT_EQ(line, c.line);
    }
}

TEST(FincalcCommands, MessagesOnStandardError) {
    const struct {
        int (*command)(const Args&, std::ostream&, std::ostream&);
        Args args;
        const char* err;
    } cases[] = {
        {runLoan, {"--solve", "payment", "--amount", "1000"}, "Vous n'avez pas indiqué le taux.\n"},
        {runLoan,
         {"--solve", "rate", "--amount", "1000", "--duration", "12"},
         "Vous n'avez pas indiqué la mensualité.\n"},
        {runLoan,
         {"--solve", "payment", "--amount", "1000", "--rate", "0", "--duration", "12"},
         "Impossible !\n"},
        {runLoan,
         {"--solve", "payment", "--amount", "1.2.3", "--rate", "5", "--duration", "12"},
         "La valeur indiquée pour la somme à emprunter n'est pas un nombre.\n"},
        {runInterest,
         {"simple", "--solve", "capital", "--rate", "0", "--duration", "90", "--interest", "5"},
         "Dépassement de capacité !\n"},
        {runInterest,
         {"compound", "--solve", "duration", "--capital", "1000", "--rate", "12", "--final", "900"},
         "Dépassement de capacité !\n"},
        {runInterest,
         {"compound", "--solve", "final", "--rate", "12", "--duration", "12"},
         "Vous n'avez pas indiqué le capital initial.\n"},
        {runConvert,
         {"francs", "-"},
         "La valeur indiquée pour le montant en francs n'est pas "
         "un nombre.\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.command, c.args);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(FincalcCommands, RefusesBadArguments) {
    const struct {
        int (*command)(const Args&, std::ostream&, std::ostream&);
        Args args;
        const char* problem;
    } cases[] = {
        {runLoan, {}, "loan: --solve is needed\n"},
        {runLoan, {"--solve", "interest"}, "loan: cannot solve for interest\n"},
        {runLoan, {"--solve"}, "loan: --solve needs a value\n"},
        {runLoan, {"--solve", "payment", "--months"}, "loan: unknown argument --months\n"},
        {runLoan,
         {"--solve", "payment", "--duration", "1.5"},
         "loan: the duration is a whole number\n"},
        {runLoan,
         {"--solve", "payment", "--duration", "12,"},
         "loan: the duration is a whole number\n"},
        {runLoan,
         {"--solve", "payment", "--rate", "1", "--rate", "2"},
         "loan: --rate given twice\n"},
        {runInterest, {"simple", "--solve", "final"}, "interest simple: cannot solve for final\n"},
        {runInterest,
         {"simple", "--solve", "interest", "--years"},
         "interest simple: unknown argument --years\n"},
        {runInterest,
         {"compound", "--solve", "final", "--months", "--years"},
         "interest compound: one unit only\n"},
        {runInterest,
         {"compound", "--solve", "final", "--interest", "1"},
         "interest compound: unknown argument --interest\n"},
        {runInterest, {"both"}, "interest: simple or compound\n"},
        {runConvert, {"francs"}, ""},
        {runConvert, {"dollars", "1"}, ""},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.command, c.args);
        EXPECT_EQ(r.status, 2) << c.problem;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.problem, 0), 0u) << r.err;
        EXPECT_NE(r.err.find("usage: ledgora-cli"), std::string::npos) << r.err;
    }
}

TEST(FincalcCommands, ConvertsAsTheConverterShows) {
    const struct {
        Args args;
        const char* out;
    } cases[] = {
        {{"francs", "100"}, "15,24 €\n"},
        {{"euros", "15.24"}, "99,97 F\n"},
        {{"euros", "1"}, "6,56 F\n"},
        {{"francs", "6,55957"}, "1,00 €\n"},
        {{"francs", "1000000"}, "152\u202F449,02 €\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(runConvert, c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out) << c.args[1];
    }
}

} // namespace
} // namespace cli
