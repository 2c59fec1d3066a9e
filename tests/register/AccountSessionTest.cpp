#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "TestWorld.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using platform::Hive;
using testing::TestWorld;

std::string accountValue(TestWorld& w, const std::string& account, std::string_view name) {
    return w.registry.readString(Hive::CurrentUser, platform::settings::accountKey("Anne", account),
                                 name, "<absent>");
}

void copySample(TestWorld& w, const std::string& account) {
    fs::copy_file(std::string(LEDGORA_TEST_DATA) + "/register/sample.ldg",
                  w.paths.accountFile("Anne", account));
}

TEST(AccountSession, NewAccountIsSavedWithItsInitialBalanceRow) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", -250, true));
    const Grid& reg = w.session.grid();
    EXPECT_EQ(reg.rowCount(), 3);
    EXPECT_EQ(reg.at(1, col::Debit), "250.00");
    EXPECT_EQ(reg.at(1, col::Credit), "");
    EXPECT_EQ(reg.at(1, col::Notes), "Solde initial");
    EXPECT_EQ(reg.at(1, col::Rubrique), "Solde initial");
    EXPECT_EQ(reg.at(1, col::Pointage), "X");
    EXPECT_EQ(reg.at(1, col::Date), "05/03/2024");
    EXPECT_EQ(w.session.balances().balance, centsOf(-250));
    EXPECT_TRUE(fs::exists(w.paths.accountFile("Anne", "Courant")));
    EXPECT_EQ(accountValue(w, "Courant", "Euro"), "1");
    EXPECT_EQ(accountValue(w, "Courant", "LastMonth"), "3");
}

TEST(AccountSession, SaveWritesTheGoldenFile) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, false));
    EXPECT_EQ(platform::readFile(w.paths.accountFile("Anne", "Courant")),
              platform::readFile(std::string(LEDGORA_TEST_DATA) + "/register/new-account.ldg"));
}

TEST(AccountSession, LoadSortsCleansUpAndBalances) {
    TestWorld w;
    copySample(w, "Courant");
    w.registry.writeString(Hive::CurrentUser, platform::settings::accountKey("Anne", "Courant"),
                           "Euro", "0");
    ASSERT_TRUE(w.session.load("Courant"));
    const Grid& reg = w.session.grid();
    EXPECT_EQ(w.session.account(), "Courant");
    EXPECT_FALSE(w.session.euros());
    ASSERT_EQ(reg.rowCount(), 7); // five operations, one blank row
    const char* expected[][3] = {
        {"28/12/2023", "Loyer", "-650.00"},   {"01/01/2024", "Solde initial", "350.00"},
        {"10/01/2024", "Salaire", "2450.00"}, {"15/01/2024", "Courses", "2404.70"},
        {"20/01/2024", "Essence", "2344.70"}, {"", "", ""}};
    for (int r = 1; r < 7; ++r) {
        EXPECT_EQ(reg.at(r, col::Number), std::to_string(r));
        EXPECT_EQ(reg.at(r, col::Date), expected[r - 1][0]);
        EXPECT_EQ(reg.at(r, col::Rubrique), expected[r - 1][1]);
        EXPECT_EQ(reg.at(r, col::Solde), expected[r - 1][2]);
    }
    EXPECT_EQ(reg.at(4, col::Notes), "Marché, boulangerie");
    EXPECT_EQ(w.session.balances().balance, centsOf(2344.70));
    EXPECT_EQ(w.session.balances().reconciled, centsOf(304.70));
    EXPECT_TRUE(w.session.validating());
}

TEST(AccountSession, AFailedLoadLeavesTheOpenAccountUntouched) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.validateCell(2, col::Debit, "30");
    const Grid before = w.session.grid();
    const fs::path bad = w.paths.accountFile("Anne", "Abime");
    ASSERT_TRUE(platform::writeFileAtomically(bad, "not a register\r\n"));

    EXPECT_FALSE(w.session.load("Abime"));
    EXPECT_FALSE(w.session.load("Absent"));
    EXPECT_EQ(w.dialogs.texts(),
              (std::vector<std::string>{"File contains no data or corrupt file " + bad.string(),
                                        "Cannot open file " +
                                            w.paths.accountFile("Anne", "Absent").string()}));
    EXPECT_EQ(w.session.account(), "Courant");
    EXPECT_EQ(w.session.grid(), before);
    EXPECT_TRUE(w.session.validating());
    ASSERT_TRUE(w.session.save());
    EXPECT_EQ(platform::readFile(bad).value(), "not a register\r\n");
}

TEST(AccountSession, SaveIntoAFolderThatCannotBeWrittenKeepsTheSettings) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.switchToFrancs();
    fs::remove_all(w.paths.userFolder("Anne"));
    EXPECT_FALSE(w.session.save());
    EXPECT_EQ(w.dialogs.texts().back(),
              "Cannot Create " + w.paths.accountFile("Anne", "Courant").string());
    EXPECT_EQ(accountValue(w, "Courant", "Euro"), "1");
}

TEST(AccountSession, LastMonthIsTheMonthOfTheSave) {
    const std::pair<platform::DateTime, std::string> cases[] = {{{2024, 12, 31, 23, 59, 0}, "12"},
                                                                {{2025, 1, 1, 0, 0, 0}, "1"}};
    for (const auto& [when, month] : cases) {
        TestWorld w;
        w.clock.set(when);
        ASSERT_TRUE(w.session.create("Courant", 0, true));
        EXPECT_EQ(accountValue(w, "Courant", "LastMonth"), month);
    }
}

TEST(AccountSession, CurrencySwitchConvertsTheRegister) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, false));
    w.session.validateCell(2, col::Debit, "3279.79");

    w.session.switchToEuros();
    const Grid& reg = w.session.grid();
    EXPECT_TRUE(w.session.euros());
    EXPECT_EQ(reg.at(1, col::Credit), "15.24");
    EXPECT_EQ(reg.at(1, col::Creder), "0.03");
    EXPECT_EQ(reg.at(2, col::Debit), "500.00");
    EXPECT_EQ(reg.at(2, col::Solde), "-484.76");

    const Grid inEuros = reg;
    w.session.switchToEuros(); // already in euros: nothing happens
    EXPECT_EQ(w.session.grid(), inEuros);

    w.session.switchToFrancs();
    EXPECT_EQ(reg.at(1, col::Credit), "100.00");
    EXPECT_EQ(reg.at(1, col::Creder), "");
    EXPECT_EQ(reg.at(2, col::Debit), "3279.79");
}

TEST(AccountSession, EditingAConvertedAmountDropsItsRemainder) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 0, false));
    w.session.validateCell(2, col::Debit, "100");
    w.session.switchToEuros();
    ASSERT_EQ(w.session.grid().at(2, col::Deber), "0.03");
    w.session.validateCell(2, col::Debit, "15.24"); // the same amount keeps it
    EXPECT_EQ(w.session.grid().at(2, col::Deber), "0.03");
    w.session.validateCell(2, col::Debit, "20,00");
    EXPECT_EQ(w.session.grid().at(2, col::Deber), "");
    w.session.switchToFrancs();
    EXPECT_EQ(w.session.grid().at(2, col::Debit), "131.19");
}

class CountingLinks : public TransferLinks {
public:
    void afterEdit(RegisterEdits&, int row) override { transferChecks.push_back(row); }
    std::vector<int> transferChecks;
};

class CountingLimits : public BudgetLimits {
public:
    void alarmCheck(const Grid& reg, int row, const MonthlySpending&, bool) override {
        alarms.push_back(reg.at(row, col::Date)); // the date is filled before the alarm
    }
    std::vector<std::string> alarms;
};

TEST(AccountSession, ValidationRunsItsStepsInOrder) {
    TestWorld w;
    CountingLinks links;
    CountingLimits limits;
    w.session.setTransferLinks(&links);
    w.session.setBudgetLimits(&limits);
    ASSERT_TRUE(w.session.create("Courant", 1000, true));
    ASSERT_TRUE(platform::writeFileAtomically(w.paths.programFile("deb.wav"), "RIFF"));

    auto r = w.session.validateCell(2, col::Debit, "12,5");
    const Grid& reg = w.session.grid();
    EXPECT_EQ(reg.at(2, col::Debit), "12.50");
    EXPECT_EQ(reg.at(2, col::Solde), "987.50");
    EXPECT_EQ(reg.at(2, col::Date), "05/03/2024");
    EXPECT_TRUE(r.rowAppended);
    EXPECT_TRUE(r.balancesChanged);
    EXPECT_EQ(reg.rowCount(), 4);
    EXPECT_EQ(reg.at(3, col::Number), "3");
    EXPECT_EQ(w.sounds.played, std::vector<fs::path>{w.paths.programFile("deb.wav")});
    EXPECT_EQ(links.transferChecks, std::vector<int>{2});
    EXPECT_EQ(limits.alarms, std::vector<std::string>{"05/03/2024"});

    w.session.validateCell(3, col::Credit, "5"); // no cred.wav: nothing played
    EXPECT_EQ(w.sounds.played.size(), 1u);
    w.session.setSoundsOn(false);
    w.session.validateCell(2, col::Debit, "13");
    EXPECT_EQ(w.sounds.played.size(), 1u);

    r = w.session.validateCell(2, col::Rubrique, "eau potable");
    EXPECT_EQ(reg.at(2, col::Rubrique), "Eau potable");
    EXPECT_TRUE(w.categories.contains("Eau potable"));
    EXPECT_FALSE(r.rowAppended);
    w.session.validateCell(2, col::ModePaiement, "chèque");
    EXPECT_EQ(reg.at(2, col::ModePaiement), "Chèque");
    EXPECT_EQ(w.modes.size(), 5); // already there
    w.session.validateCell(2, col::ModePaiement, "échange");
    EXPECT_EQ(reg.at(2, col::ModePaiement), "échange"); // only ASCII letters are raised
    EXPECT_EQ(w.modes.size(), 6);

    w.session.validateCell(2, col::Numero, "0");
    EXPECT_EQ(reg.at(2, col::Numero), "");
    w.session.validateCell(2, col::Numero, "101");
    EXPECT_TRUE(w.dialogs.shown().empty());
    w.session.validateCell(3, col::Numero, "101");
    ASSERT_EQ(w.dialogs.texts(),
              std::vector<std::string>{"Attention, ce numéro est déjà utilisé."});
    EXPECT_EQ(w.dialogs.shown()[0].kind, platform::MessageKind::Warning);
    EXPECT_EQ(reg.at(3, col::Numero), "101");

    w.session.validateCell(3, col::Date, "");
    EXPECT_EQ(reg.at(3, col::Date), ""); // the date column keeps what was typed
    w.session.validateCell(3, col::Date, "29022024");
    EXPECT_EQ(reg.at(3, col::Date), "29/02/2024"); // in the grid's own form
    w.session.validateCell(3, col::Date, "1/3/2024");
    EXPECT_EQ(reg.at(3, col::Date), "01/03/2024");
}

TEST(AccountSession, NothingHappensWhileValidationIsOff) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 0, true));
    w.session.setValidating(false);
    const auto r = w.session.validateCell(2, col::Debit, "12,5");
    w.session.setValidating(true);
    EXPECT_EQ(w.session.grid().at(2, col::Debit), "12,5");
    EXPECT_EQ(w.session.grid().at(2, col::Date), "");
    EXPECT_FALSE(r.rowAppended);
}

TEST(AccountSession, TickingAMarkUpdatesTheReconciledBalance) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.validateCell(2, col::Debit, "40");
    EXPECT_EQ(w.session.balances().reconciled, centsOf(100));
    w.session.toggleMark(2);
    EXPECT_EQ(w.session.balances().reconciled, centsOf(60));
    w.session.toggleMark(1);
    EXPECT_EQ(w.session.balances().reconciled, centsOf(-40));
    w.session.toggleMark(2);
    EXPECT_EQ(w.session.balances().reconciled, centsOf(0));
}

} // namespace
} // namespace ledgora
