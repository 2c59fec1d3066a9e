// All balances: each account in its own currency, converted row by row to the chosen one,
// the open account with its unsaved edits.
#include <gtest/gtest.h>

#include <filesystem>

#include "RegisterRowsBuilder.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "reports/Recap.h"
#include "reports/RecapLook.h"
#include "support/TestMachine.h"

namespace ledgora {
namespace {

using platform::Hive;
using testing::registerOf;

class RecapTest : public ::testing::Test, protected testing::TestMachine {
protected:
    RecapTest() { std::filesystem::create_directories(paths.userFolder("Anne")); }

    void addAccount(const std::string& name, const Grid& reg, bool euros) {
        ASSERT_FALSE(saveGridFile(reg, paths.accountFile("Anne", name)));
        registry.writeBool(Hive::CurrentUser, platform::settings::accountKey("Anne", name),
                           platform::settings::kEuro, euros);
    }
};

TEST_F(RecapTest, EachAccountConvertedRowByRowToTheChosenCurrency) {
    // Two debits of 100 F are 15.24 euros each: 30.48, where 200 F at once would be 30.49.
    addAccount("Courant",
               registerOf({{"01/01/2024", "", "", "1000.00"},
                           {"02/01/2024", "Courses", "100.00", ""},
                           {"03/01/2024", "Courses", "100.00", ""}}),
               false);
    Grid livret = registerOf({{"01/01/2024", "", "", "15.24"}, {"02/01/2024", "", "20.00", ""}});
    livret.set(1, col::Creder, "0.03"); // it came from 100.00 F
    addAccount("Livret", livret, true);
    // No "Euro" value: the account is in euros.
    ASSERT_FALSE(saveGridFile(registerOf({{"01/01/2024", "", "10.00", ""}}),
                              paths.accountFile("Anne", "Épargne")));

    const AllBalances all(registry, paths, "Anne");
    const Recap euros = all.compute(true);
    EXPECT_EQ(euros.caption, "Anne - Soldes de tous les comptes");
    ASSERT_EQ(euros.rows.size(), 3u);
    EXPECT_EQ(euros.rows[0].account, "Courant");
    EXPECT_EQ(euros.rows[0].balance, 15245 - 3048); // 1000 F = 152.45
    EXPECT_EQ(euros.rows[1].account, "Épargne");
    EXPECT_EQ(euros.rows[1].balance, -1000);
    EXPECT_EQ(euros.rows[2].account, "Livret");
    EXPECT_EQ(euros.rows[2].balance, -476);
    EXPECT_EQ(euros.total, 15245 - 3048 - 476 - 1000);
    EXPECT_TRUE(euros.problems.empty());

    const Recap francs = all.compute(false);
    EXPECT_EQ(francs.rows[0].balance, 80000);
    // 15.24 euros and its remainder are 100.00 F; 20.00 euros are 131.19 F.
    EXPECT_EQ(francs.rows[2].balance, 10000 - 13119);
    EXPECT_EQ(francs.rows[1].balance, -6560);
    EXPECT_EQ(francs.total, 80000 + 10000 - 13119 - 6560);

    const Grid g = recapGrid(francs);
    EXPECT_EQ(g.at(0, 0), "Compte");
    EXPECT_EQ(g.at(0, 1), "Solde");
    EXPECT_EQ(g.at(3, 1), "-31.19");
    const RecapLook look;
    EXPECT_EQ(look.cell(g, 1, 1).text, colors::kBlack);
    EXPECT_EQ(look.cell(g, 3, 1).text, colors::kNegative);
    EXPECT_EQ(look.cell(g, 3, 1).alignment, Alignment::Right);
    EXPECT_EQ(look.cell(g, 0, 0).alignment, Alignment::Center);
    EXPECT_EQ(recapBalanceColor(francs.total), colors::kBlack);

    const BarChart chart = recapChart(francs);
    EXPECT_EQ(chart.axisTitle, "Francs");
    ASSERT_EQ(chart.bars.size(), 3u);
    EXPECT_EQ(chart.bars[2].label, "Livret");
    EXPECT_EQ(chart.bars[2].value, -3119);
}

TEST_F(RecapTest, TheOpenAccountCountsWithItsUnsavedEdits) {
    addAccount("Courant", registerOf({{"01/01/2024", "", "", "100.00"}}), true);
    addAccount("Livret", registerOf({{"01/01/2024", "", "", "50.00"}}), true);
    // Typed since the last save, and switched to francs.
    const Grid open =
        registerOf({{"01/01/2024", "", "", "655.96"}, {"02/01/2024", "", "6.56", ""}});
    const AllBalances all(registry, paths, "Anne", OpenAccountGrid{"courant", open, false});
    const Recap r = all.compute(true);
    EXPECT_EQ(r.rows[0].balance, 10000 - 100);
    EXPECT_EQ(r.rows[1].balance, 5000);
    EXPECT_EQ(r.total, 14900);
}

TEST_F(RecapTest, AnAccountThatCannotBeReadHasNoBalance) {
    addAccount("Courant", registerOf({{"01/01/2024", "", "", "100.00"}}), true);
    ASSERT_TRUE(platform::writeFileAtomically(paths.accountFile("Anne", "Abîmé"), "0,0\r\n"));
    const Recap r = AllBalances(registry, paths, "Anne").compute(true);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].account, "Abîmé");
    EXPECT_EQ(r.rows[0].balance, std::nullopt);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].rfind("File contains no data or corrupt file ", 0), 0u);
    EXPECT_EQ(r.total, 10000);
    EXPECT_EQ(recapGrid(r).at(1, 1), "");
}

} // namespace
} // namespace ledgora
