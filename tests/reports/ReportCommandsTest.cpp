// The menu's commands: the register is put in date order before the report and stays so,
// the month or year is chosen first, and the messages stand in for empty reports.
#include <gtest/gtest.h>

#include <filesystem>

#include "RegisterRowsBuilder.h"
#include "register/GridTextFormat.h"
#include "reports/ReportCommands.h"
#include "support/TestMachine.h"

namespace ledgora {
namespace {

using testing::registerOf;

class GridAccount : public ReportedAccount {
public:
    explicit GridAccount(Grid reg) : reg_(std::move(reg)) {}

    const Grid& prepareRegister() override {
        ++prepared;
        prepareForReports(reg_);
        return reg_;
    }
    const Grid& grid() const override { return reg_; }
    bool euros() const override { return false; }
    const std::string& user() const override { return user_; }
    const std::string& account() const override { return account_; }
    std::string caption() const override { return "Ledgora - Anne : compte \"Courant\""; }
    bool save() override {
        ++saves;
        return true;
    }

    int prepared = 0;
    int saves = 0;

private:
    Grid reg_;
    std::string user_ = "Anne";
    std::string account_ = "Courant";
};

class ScriptedForms : public ReportForms {
public:
    std::optional<int> chooseMonthOrYear(std::string_view caption,
                                         const std::vector<std::string>& choices) override {
        chooserCaption = caption;
        offered = choices;
        return choice;
    }
    void showReport(const BudgetReport& report) override { reports.push_back(report); }
    void showProgression(const std::string& caption, bool euros,
                         const std::vector<ProgressionPoint>& points) override {
        progressionCaption = caption;
        progressionInEuros = euros;
        progressionPoints = points.size();
    }
    bool showRecap(const AllBalances& balances, bool euros) override {
        recapStartedInEuros = euros;
        recap = balances.compute(euros);
        return !euros;
    }

    std::optional<int> choice;
    std::string chooserCaption;
    std::vector<std::string> offered;
    std::vector<BudgetReport> reports;
    std::string progressionCaption;
    bool progressionInEuros = true;
    std::size_t progressionPoints = 0;
    std::optional<bool> recapStartedInEuros;
    Recap recap;
};

class ReportCommandsTest : public ::testing::Test, protected testing::TestMachine {
protected:
    explicit ReportCommandsTest(Grid reg = registerOf({{"20/03/2024", "Courses", "30.00", ""},
                                                       {"", "", "", ""},
                                                       {"05/01/2024", "Salaire", "", "900.00"},
                                                       {"10/01/2024", "Courses", "20.00", ""}}))
        : account(std::move(reg)) {}

    GridAccount account;
    ScriptedForms forms;
    BudgetLimits noBudgets;
    ReportCommands commands{account, forms, {registry, paths, dialogs, noBudgets}};
};

TEST_F(ReportCommandsTest, TheRegisterIsSortedByDateAfterAReport) {
    commands.report(ReportId::MonthlyAverageByCategory);
    ASSERT_EQ(forms.reports.size(), 1u);
    EXPECT_EQ(forms.reports[0].caption, "Budget mensuel moyen par rubriques (Francs)");
    EXPECT_EQ(forms.reports[0].periods, 2);
    const Grid& reg = account.grid();
    ASSERT_EQ(reg.rowCount(), 5); // the blank row in the middle went to the end
    EXPECT_EQ(reg.at(1, col::Date), "05/01/2024");
    EXPECT_EQ(reg.at(2, col::Date), "10/01/2024");
    EXPECT_EQ(reg.at(3, col::Date), "20/03/2024");
    EXPECT_EQ(reg.at(3, col::Number), "3");
    EXPECT_EQ(reg.at(3, col::Solde), "850.00");
    EXPECT_EQ(reg.at(4, col::Date), "");
    EXPECT_EQ(account.prepared, 1);
}

TEST_F(ReportCommandsTest, ABreakdownAsksForItsMonthOrYearFirst) {
    forms.choice = 0;
    commands.report(ReportId::MonthByCategory);
    EXPECT_EQ(forms.chooserCaption, "Choix d'un mois");
    // Offered in date order, since the register was sorted first.
    EXPECT_EQ(forms.offered, (std::vector<std::string>{"janvier 2024", "mars 2024"}));
    ASSERT_EQ(forms.reports.size(), 1u);
    EXPECT_EQ(forms.reports[0].caption,
              "Ventilation du mois de janvier 2024 par rubriques (Francs)");
    EXPECT_EQ(forms.reports[0].lines.size(), 2u);

    forms.choice.reset();
    commands.report(ReportId::YearByMode);
    EXPECT_EQ(forms.chooserCaption, "Choix d'une année");
    EXPECT_EQ(forms.reports.size(), 1u); // cancelled: no report
    EXPECT_TRUE(dialogs.texts().empty());

    // A report without key says so instead of opening.
    forms.choice = 0;
    commands.report(ReportId::YearByMode);
    EXPECT_EQ(forms.reports.size(), 1u);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Aucun mode de paiment trouvé."});
    EXPECT_EQ(dialogs.shown()[0].kind, platform::MessageKind::Information);
}

class UndatedRegister : public ReportCommandsTest {
protected:
    UndatedRegister() : ReportCommandsTest(registerOf({{"", "Courses", "30.00", ""}})) {}
};

TEST_F(UndatedRegister, NoDateNoChoice) {
    forms.choice = 0;
    commands.report(ReportId::MonthByMode);
    EXPECT_TRUE(forms.offered.empty());
    EXPECT_TRUE(forms.reports.empty());
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Aucune date trouvée."});
    // The averages need no date.
    commands.report(ReportId::YearlyAverageByCategory);
    ASSERT_EQ(forms.reports.size(), 1u);
    EXPECT_EQ(forms.reports[0].lines[0].total, -3000);
}

TEST_F(ReportCommandsTest, ProgressionAndAllBalances) {
    commands.progression();
    EXPECT_EQ(forms.progressionCaption,
              "Ledgora - Anne : compte \"Courant\" - Progression du solde");
    EXPECT_FALSE(forms.progressionInEuros);
    EXPECT_EQ(forms.progressionPoints, 3u);
    EXPECT_EQ(account.grid().at(1, col::Date), "05/01/2024");

    // The file still holds what was saved before the edits; the recap counts the edits.
    std::filesystem::create_directories(paths.userFolder("Anne"));
    ASSERT_FALSE(saveGridFile(registerOf({{"01/01/2024", "", "", "10.00"}}),
                              paths.accountFile("Anne", "Courant")));
    bool recapInEuro = true;
    commands.allBalances(recapInEuro);
    EXPECT_EQ(account.saves, 1);
    ASSERT_EQ(forms.recap.rows.size(), 1u);
    EXPECT_EQ(forms.recap.rows[0].balance, balanceIn(account.grid(), false, true));
    EXPECT_EQ(forms.recap.rows[0].balance, 12958); // 850.00 F, row by row
    EXPECT_EQ(forms.recapStartedInEuros, true);
    EXPECT_FALSE(recapInEuro); // the choice the window closed with
    EXPECT_EQ(forms.recap.caption, "Anne - Soldes de tous les comptes");
}

} // namespace
} // namespace ledgora
