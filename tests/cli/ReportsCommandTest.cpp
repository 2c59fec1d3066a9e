// "ledgora-cli report" and "ledgora-cli balances": the report and the recap as their
// windows show them, one TAB-separated line each.
#include <gtest/gtest.h>

#include <sstream>

#include "../handheld/HotSyncWorld.h"
#include "../reports/RegisterRowsBuilder.h"
#include "cli/Commands.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using ledgora::testing::registerOf;
using platform::Hive;
namespace settings = platform::settings;

struct Outcome {
    int status;
    std::string out;
    std::string err;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    return os << o.status << " [" << o.out << "] [" << o.err << "]";
}

class ReportsCommand : public ::testing::Test {
protected:
    ReportsCommand() {
        const ledgora::Grid reg = registerOf({
            {"15/12/2023", "Solde initial", "", "1000.00", "", "Solde initial"},
            {"05/01/2024", "Électricité", "80.00", "", "Prélèvement"},
            {"31/01/2024", "Courses", "25.50", "", "Chèque"},
            {"01/02/2024", "Courses", "12.00", "", "Carte de crédit"},
            {"03/02/2024", "Salaire", "", "1500.00", "Virement"},
        });
        fs::create_directories(paths.userFolder("Anne"));
        EXPECT_FALSE(ledgora::saveGridFile(reg, file));
    }

    Outcome run(int (*command)(const Args&, std::ostream&, std::ostream&), const Args& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = command(args, out, err);
        return {status, out.str(), err.str()};
    }

    ledgora::testing::TemporaryHome home;
    platform::Paths paths = platform::Paths::fromEnvironment({});
    platform::Registry registry{paths.registryFolder()};
    std::string file = paths.accountFile("Anne", "Courant").string();
};

TEST_F(ReportsCommand, PrintsTheReportAsTheWindowShowsIt) {
    struct Case {
        Args args;
        Outcome outcome;
    };
    const std::vector<Case> cases = {
        {{file, "--by", "category", "--period", "all"},
         {0,
          "Courses\t-37.50\nÉlectricité\t-80.00\nSalaire\t1500.00\nRecettes :\t1500.00\n"
          "Dépenses :\t-117.50\n",
          ""}},
        // December, January, February.
        {{file, "--period", "average-month", "--by", "mode"},
         {0,
          "Carte de crédit\t-4.00\nChèque\t-8.50\nPrélèvement\t-26.67\nVirement\t500.00\n"
          "Recettes :\t500.00\nDépenses :\t-39.17\n",
          ""}},
        {{file, "--by", "category", "--period", "average-year"},
         {0,
          "Courses\t-18.75\nÉlectricité\t-40.00\nSalaire\t750.00\nRecettes :\t750.00\n"
          "Dépenses :\t-58.75\n",
          ""}},
        {{file, "--by", "category", "--period", "month:1/2024"},
         {0, "Courses\t-25.50\nÉlectricité\t-80.00\nRecettes :\t0.00\nDépenses :\t-105.50\n", ""}},
        {{file, "--by", "mode", "--period", "year:2024"},
         {0,
          "Carte de crédit\t-12.00\nChèque\t-25.50\nPrélèvement\t-80.00\nVirement\t1500.00\n"
          "Recettes :\t1500.00\nDépenses :\t-117.50\n",
          ""}},
        {{file, "--by", "category", "--period", "month:12/2023"},
         {1, "", "Aucune rubrique trouvée.\n"}},
        {{file, "--by", "mode", "--period", "year:2023"},
         {1, "", "Aucun mode de paiment trouvé.\n"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(runReport, c.args), c.outcome) << c.args[4];
    }
}

TEST_F(ReportsCommand, RefusesWhatItCannotRead) {
    const std::vector<Args> usage = {
        {},
        {file, "--by", "category"},
        {file, "--by", "rubrique", "--period", "all"},
        {file, "--by", "mode", "--period", "month:13/2024"},
        {file, "--by", "mode", "--period", "month:03-2024"},
        {file, "--by", "mode", "--period", "year:24x"},
        {file, "--by", "mode", "--by", "mode"},
    };
    for (const Args& args : usage) {
        const Outcome o = run(runReport, args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.err.rfind("usage: ledgora-cli report", 0), 0u) << o.err;
    }
    const Outcome missing =
        run(runReport, {"/nonexistent/x.ldg", "--by", "mode", "--period", "all"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open file /nonexistent/x.ldg\n");
}

TEST_F(ReportsCommand, BalancesOfTheUserTheProgramWouldChoose) {
    // Anne's account is in francs; Bruno is the user chosen last.
    registry.writeBool(Hive::CurrentUser, settings::accountKey("Anne", "Courant"), settings::kEuro,
                       false);
    fs::create_directories(paths.userFolder("Bruno"));
    ASSERT_FALSE(ledgora::saveGridFile(registerOf({{"01/01/2024", "", "", "100.00"}}),
                                       paths.accountFile("Bruno", "Livret")));
    ASSERT_FALSE(ledgora::saveGridFile(registerOf({{"01/01/2024", "", "250.00", ""}}),
                                       paths.accountFile("Bruno", "Courant")));
    registry.writeInteger(Hive::CurrentUser, settings::optionsKey(), settings::kChooseUserIndex, 1);
    EXPECT_EQ(run(runBalances, {}),
              (Outcome{0, "Courant\t-250.00\nLivret\t100.00\nSolde général :\t-150.00\n", ""}));
    EXPECT_EQ(run(runBalances, {"--francs"}).out,
              "Courant\t-1639.89\nLivret\t655.96\nSolde général :\t-983.93\n");

    // Out of range: the first user; the recap's currency option.
    registry.writeInteger(Hive::CurrentUser, settings::optionsKey(), settings::kChooseUserIndex, 7);
    registry.writeBool(Hive::CurrentUser, settings::optionsKey(), settings::kRecapInEuro, false);
    EXPECT_EQ(run(runBalances, {}).out, "Courant\t2382.50\nSolde général :\t2382.50\n");
    EXPECT_EQ(run(runBalances, {"--euros"}).out, "Courant\t363.20\nSolde général :\t363.20\n");

    EXPECT_EQ(run(runBalances, {"--dollars"}).status, 2);
}

} // namespace
} // namespace cli
