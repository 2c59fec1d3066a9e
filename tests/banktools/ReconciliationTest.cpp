#include <gtest/gtest.h>

#include "TestWorld.h"
#include "banktools/BankBalancePart.h"
#include "banktools/Reconciliation.h"
#include "money/Amount.h"
#include "platform/SettingsKeys.h"

namespace ledgora {
namespace {

TEST(ReconciliationTest, ResultTextAndColourFollowTheSignOfTheDifference) {
    struct Case {
        const char* statement;
        const char* reconciled;
        bool euros;
        const char* text;
        Favour favour;
        Rgb colour;
    };
    const Rgb red{255, 0, 0}, blue{0, 0, 255}, black{0, 0, 0};
    const Case cases[] = {
        {"50", "100.00 Euros", true, "50.00 Euros en faveur de la banque", Favour::Bank, red},
        {"150", "100.00 Euros", true, "50.00 Euros en votre faveur", Favour::You, blue},
        {"100", "100.00 Francs", false, "0.00 Francs - Bravo !", Favour::Even, black},
        // As a French user types it, and a reconciled balance below zero.
        {"1234,56", "1234.56", true, "0.00 Euros - Bravo !", Favour::Even, black},
        {"-20", "-70.00", true, "50.00 Euros en votre faveur", Favour::You, blue},
        {"+10.5", "10.00", true, "0.50 Euros en votre faveur", Favour::You, blue},
        // A lone sign reads 0; so does the longest leading number of a broken one.
        {"-", "0.00", true, "0.00 Euros - Bravo !", Favour::Even, black},
        {"", "25.00", false, "25.00 Francs en faveur de la banque", Favour::Bank, red},
        {"1.2.3", "1.20", true, "0.00 Euros - Bravo !", Favour::Even, black},
        // Compared to the cent: a binary fraction never turns "Bravo" into a difference.
        {"0.3", "0.30", true, "0.00 Euros - Bravo !", Favour::Even, black},
        {"10.004", "10.00", true, "0.00 Euros - Bravo !", Favour::Even, black},
        {"1000000.01", "999999.99", true, "0.02 Euros en votre faveur", Favour::You, blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.statement) + " against " + c.reconciled);
        const ReconciliationResult r = reconcile(c.statement, c.reconciled, c.euros);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.favour, c.favour);
        EXPECT_EQ(r.colour, c.colour);
    }
}

TEST(ReconciliationTest, FieldShowsAStoredBalanceButNotZero) {
    const std::pair<double, const char*> cases[] = {
        {0.0, ""}, {0.004, ""}, {-0.0, ""}, {12.5, "12.50"}, {-3.0, "-3.00"}, {0.01, "0.01"}};
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(statementFieldText(stored), shown) << stored;
    }
    EXPECT_EQ(reconciledText(-1235, true), "-12.35 Euros");
    EXPECT_EQ(reconciledText(0, false), "0.00 Francs");
}

TEST(ReconciliationTest, ClosingKeepsTheRemainderOnlyOfTheUnchangedAmount) {
    const StatementBalance stored{15.24, 0.03};
    struct Case {
        const char* field;
        double balance;
        double remainder;
    };
    const Case cases[] = {
        {"15.24", 15.24, 0.03},  {"15,24", 15.24, 0.03}, {"15.240", 15.24, 0.03},
        {"15.25", 15.25, 0.0},   {"", 0.0, 0.0},         {"-", 0.0, 0.0},
        {"-15.24", -15.24, 0.0}, {"99,999", 100.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const StatementBalance s = statementOnClose(c.field, stored);
        EXPECT_DOUBLE_EQ(s.balance, c.balance);
        EXPECT_DOUBLE_EQ(s.remainder, c.remainder);
    }
}

// The statement balance travels with the account through both currencies and the
// settings store, and comes back to the centime.
TEST(ReconciliationTest, StatementBalanceSurvivesFrancsAndBackAndASave) {
    const double balances[] = {100.0, 1234.56, -987.65, 0.01, 152449.02};
    for (double balance : balances) {
        SCOPED_TRACE(balance);
        testing::TestWorld world;
        BankBalancePart bank(world.registry);
        world.session.addPart(&bank);
        ASSERT_TRUE(world.session.create("Courant", 0, true));
        bank.set({balance, 0.0});
        world.session.switchToFrancs();
        world.session.switchToEuros();
        EXPECT_EQ(formatAmount(bank.balance()), formatAmount(balance));
        EXPECT_EQ(statementFieldText(bank.balance()), formatAmount(balance));

        // From francs: the remainder made on the way to euros restores the francs.
        world.session.switchToFrancs();
        const std::string francs = formatAmount(bank.balance());
        ASSERT_TRUE(world.session.save());
        ASSERT_TRUE(world.session.load("Courant"));
        world.session.switchToEuros();
        ASSERT_TRUE(world.session.save());
        ASSERT_TRUE(world.session.load("Courant"));
        world.session.switchToFrancs();
        EXPECT_EQ(formatAmount(bank.balance()), francs);
    }
}

// The statement balance as a part of the account: stored beside it in the settings, 0 for
// a new account, converted with the register.
TEST(ReconciliationTest, StatementBalanceIsAPartOfTheAccount) {
    testing::TestWorld world;
    BankBalancePart bank(world.registry);
    world.session.addPart(&bank);
    const auto stored = [&](std::string_view name) {
        return world.registry.readString(platform::Hive::CurrentUser,
                                         platform::settings::accountKey("Anne", "Courant"), name,
                                         "<absent>");
    };
    ASSERT_TRUE(world.session.create("Courant", 100, false));
    EXPECT_EQ(stored("BankSolde"), "0.00");
    EXPECT_EQ(stored("BankSoldeEcart"), "0.00");

    bank.set({-10.0, 0.0});
    world.session.switchToEuros();
    EXPECT_DOUBLE_EQ(bank.balance(), -1.52);
    ASSERT_TRUE(world.session.save());
    EXPECT_EQ(stored("BankSolde"), "-1.52");
    EXPECT_EQ(stored("BankSoldeEcart"), formatAmount(bank.remainder()));
    world.session.close();
    EXPECT_DOUBLE_EQ(bank.balance(), 0.0);
    ASSERT_TRUE(world.session.load("Courant"));
    world.session.switchToFrancs();
    EXPECT_DOUBLE_EQ(bank.balance(), -10.0);
    EXPECT_DOUBLE_EQ(bank.remainder(), 0.0);
}

} // namespace
} // namespace ledgora
