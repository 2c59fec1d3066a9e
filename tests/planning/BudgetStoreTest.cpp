// The budgets in the settings store, the alarms window's grid over them, and their
// conversion with the account's currency.
#include <gtest/gtest.h>

#include "planning/BudgetAlarm.h"
#include "planning/BudgetStore.h"
#include "planning/BudgetTable.h"
#include "planning/BudgetTableLook.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "support/TestMachine.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

class BudgetStoreTest : public ::testing::Test, protected testing::TestMachine {
protected:
    std::string stored(const std::string& category, std::string_view name) const {
        return registry.readString(Hive::CurrentUser,
                                   settings::alarmsKey("Anne", "Courant") + "\\" + category, name);
    }

    BudgetStore store{registry, "Anne", "Courant"};
    BudgetAlarm alarm{registry, paths, sounds, dialogs, [] { return false; }};
};

TEST_F(BudgetStoreTest, ATypedMaximumIsPositiveWithTwoDecimalsAndZeroRemovesIt) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"-50", "50.00"}, {"12,5", "12.50"}, {"1 000", "1.00"}, {"0", ""},
        {"0,001", ""},    {"", ""},          {"abc", ""},       {"99.999", "100.00"},
    };
    for (const auto& [typed, kept] : cases) {
        EXPECT_EQ(normaliseMaximum(typed), kept) << typed;
    }
    // An amount the keys can type is read as above; what they could not type as one is
    // refused, rather than read as part of it or as none.
    for (const char* typed : {"-50", "12,5", " 80 ", "", "999999999999999", "1000000000000000"}) {
        EXPECT_FALSE(refusesMaximum(typed)) << typed;
    }
    for (const char* typed :
         {"1 000", "80 €", "abc", "1e5", "1000000000000001", "\t12\n", "1,2,3", "--5", "  "}) {
        EXPECT_TRUE(refusesMaximum(typed)) << typed;
    }
}

TEST_F(BudgetStoreTest, OkWritesTheGridAnewAndTheAlarmsReadIt) {
    store.replaceAll({{"Loisirs", "30.00", ""}, {"Ancienne", "5.00", ""}});
    EXPECT_TRUE(alarm.entries({"Loisirs"})[0].montant.empty()); // no account open
    alarm.setAccount("Anne", "Courant");
    EXPECT_EQ(alarm.monthlyMaximum("Loisirs"), 3000);
    BudgetTable table(alarm.entries({"Voiture", "Courses", "Loisirs", "Électricité"}));
    // Rows in French order, maxima as stored, remainders with two decimals.
    const Grid& g = table.grid();
    ASSERT_EQ(table.categoryCount(), 4);
    EXPECT_EQ(g.at(0, budget_col::Category), "Rubriques");
    EXPECT_EQ(g.at(0, budget_col::Maximum), "Budget mensuel maximum à ne pas dépasser");
    EXPECT_EQ(g.at(1, 0), "Courses");
    EXPECT_EQ(g.at(2, 0), "Électricité");
    EXPECT_EQ(g.at(3, 0), "Loisirs");
    EXPECT_EQ(g.at(3, budget_col::Maximum), "30.00");
    EXPECT_EQ(g.at(3, budget_col::Ecart), "0.00");
    EXPECT_EQ(g.at(1, budget_col::Maximum), "");
    EXPECT_FALSE(BudgetTable::mayEdit(1, budget_col::Category));
    EXPECT_FALSE(BudgetTable::mayEdit(0, budget_col::Maximum));
    EXPECT_TRUE(BudgetTable::mayEdit(1, budget_col::Maximum));

    EXPECT_EQ(table.setMaximum(1, "-50"), "50.00");
    EXPECT_EQ(table.setMaximum(3, "0"), "");
    EXPECT_EQ(table.setMaximum(1, "50 €"), std::nullopt);
    EXPECT_EQ(g.at(1, budget_col::Maximum), "50.00");
    ASSERT_TRUE(alarm.replaceAll(table.entries()));
    EXPECT_EQ(alarm.monthlyMaximum("Loisirs"), 0);
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 5000);
    EXPECT_EQ(stored("Courses", "Montant"), "50.00");
    EXPECT_EQ(store.maximum("Loisirs"), 0);
    EXPECT_EQ(stored("Loisirs", "Montant"), "");
    EXPECT_TRUE(registry.keyExists(Hive::CurrentUser,
                                   settings::alarmsKey("Anne", "Courant") + "\\Voiture"));
    // A section of a category no longer listed goes with the old subkey.
    EXPECT_FALSE(registry.keyExists(Hive::CurrentUser,
                                    settings::alarmsKey("Anne", "Courant") + "\\Ancienne"));

    BudgetTable sorted = table;
    sorted.sortBy(budget_col::Maximum);
    EXPECT_EQ(sorted.grid().at(4, 0), "Courses");
}

TEST_F(BudgetStoreTest, FrancsAndBackRestoreEveryMaximum) {
    const std::vector<std::string> categories = {"Courses", "Essence", "Loyer", "Loisirs"};
    store.replaceAll({{"Courses", "100.00", ""},
                      {"Essence", "33.33", ""},
                      {"Loyer", "4321.99", ""},
                      {"Loisirs", "", ""},
                      // Taken out of the list since: still a maximum, still converted.
                      {"Cadeaux", "250.00", ""}});
    ASSERT_TRUE(store.convert(categories, true));
    EXPECT_EQ(stored("Courses", "Montant"), "15.24");
    EXPECT_EQ(stored("Courses", "Ecart"), "0.03");
    EXPECT_EQ(stored("Loisirs", "Montant"), "0.00");
    EXPECT_EQ(stored("Loisirs", "Ecart"), "0.00");
    EXPECT_EQ(stored("Cadeaux", "Montant"), "38.11");
    // A category of the list that had no section gets one.
    EXPECT_EQ(stored("Pharmacie", "Montant"), "");
    ASSERT_TRUE(store.convert({"Pharmacie"}, false));
    EXPECT_EQ(stored("Pharmacie", "Montant"), "0.00");
    EXPECT_EQ(stored("Pharmacie", "Ecart"), "");
    ASSERT_TRUE(store.convert(categories, true));

    ASSERT_TRUE(store.convert(categories, false));
    EXPECT_EQ(stored("Courses", "Montant"), "100.00");
    EXPECT_EQ(stored("Courses", "Ecart"), "");
    EXPECT_EQ(stored("Essence", "Montant"), "33.33");
    EXPECT_EQ(stored("Loyer", "Montant"), "4321.99");
    EXPECT_EQ(stored("Cadeaux", "Montant"), "250.00");
    EXPECT_EQ(store.maximum("Loisirs"), 0);
}

TEST_F(BudgetStoreTest, AMaximumEditedInEurosComesBackAsItsOwnFrancs) {
    store.replaceAll({{"Courses", "100.00", ""}, {"Essence", "100.00", ""}});
    store.convert({"Courses", "Essence"}, true);
    alarm.setAccount("Anne", "Courant");
    BudgetTable table(alarm.entries({"Courses", "Essence"}));
    EXPECT_EQ(table.grid().at(1, budget_col::Maximum), "15.24");
    EXPECT_EQ(table.grid().at(1, budget_col::Ecart), "0.03");
    table.setMaximum(1, "20,00");
    // Typing the same maximum again keeps what it carries.
    table.setMaximum(2, "15.24");
    EXPECT_EQ(table.grid().at(2, budget_col::Ecart), "0.03");
    ASSERT_TRUE(alarm.replaceAll(table.entries()));
    ASSERT_TRUE(alarm.convert({"Courses", "Essence"}, false));
    // 20.00 x 6.55957 = 131.19; the old remainder would have made it 131.22.
    EXPECT_EQ(stored("Courses", "Montant"), "131.19");
    EXPECT_EQ(stored("Essence", "Montant"), "100.00");
}

TEST_F(BudgetStoreTest, TheWindowsColours) {
    store.replaceAll({{"Courses", "100.00", ""}, {"Essence", "50.00", ""}});
    alarm.setAccount("Anne", "Courant");
    BudgetTable table(alarm.entries({"Courses", "Essence", "Loyer"}));
    Grid reg = makeRegister(4);
    reg.set(1, col::Date, "02/03/2024");
    reg.set(1, col::Rubrique, "Courses");
    reg.set(1, col::Debit, "120.00");
    reg.set(2, col::Date, "02/02/2024");
    reg.set(2, col::Rubrique, "Essence");
    reg.set(2, col::Debit, "80.00");
    MonthlySpending spending;
    spending.rebuild(reg);
    const BudgetTableLook look(spending, 2024, 3);
    const Grid& g = table.grid();
    EXPECT_EQ(look.shownColumns(g), 2);
    EXPECT_EQ(look.cell(g, 1, 1).background, budget_colors::kOddRow);
    EXPECT_EQ(look.cell(g, 2, 0).background, budget_colors::kEvenRow);
    EXPECT_EQ(look.cell(g, 1, 1).text, colors::kNegative);
    EXPECT_EQ(look.cell(g, 1, 1).alignment, Alignment::Right);
    EXPECT_EQ(look.cell(g, 3, 1).text, std::nullopt);
    // Over budget this month, not in an earlier one.
    EXPECT_TRUE(look.cell(g, 1, 0).bold);
    EXPECT_EQ(look.cell(g, 1, 0).text, colors::kNegative);
    EXPECT_FALSE(look.cell(g, 2, 0).bold);
    // An edited maximum is what the colour compares with.
    table.setMaximum(1, "150");
    EXPECT_FALSE(look.cell(table.grid(), 1, 0).bold);
}

} // namespace
} // namespace ledgora
