// The alarm after an edit of a category or a debit: it compares the category's debits in
// the edited row's month with the maximum, and warns (with its sound) only past it.
#include <gtest/gtest.h>

#include "planning/BudgetAlarm.h"
#include "planning/BudgetPart.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "support/TestMachine.h"

namespace ledgora {
namespace {

struct Operation {
    const char* date;
    const char* category;
    const char* debit;
};

class BudgetAlarmTest : public ::testing::Test, protected testing::TestMachine {
protected:
    BudgetAlarmTest() {
        alarm.setAccount("Anne", "Courant");
        BudgetStore(registry, "Anne", "Courant").replaceAll({{"Courses", "100.00", ""}});
    }

    // The register holds `operations`; the alarm runs for its last row, as after the edit
    // that typed it. Returns the warnings shown.
    std::vector<std::string> enter(const std::vector<Operation>& operations, bool euros = true) {
        Grid reg = makeRegister(static_cast<int>(operations.size()) + 2);
        for (std::size_t i = 0; i < operations.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            reg.set(r, col::Date, operations[i].date);
            reg.set(r, col::Rubrique, operations[i].category);
            reg.set(r, col::Debit, operations[i].debit);
        }
        MonthlySpending spending;
        spending.rebuild(reg);
        dialogs.clear();
        alarm.alarmCheck(reg, static_cast<int>(operations.size()), spending, euros);
        return dialogs.texts();
    }

    bool soundsOn = true;
    BudgetAlarm alarm{registry, paths, sounds, dialogs, [this] { return soundsOn; }};
};

TEST_F(BudgetAlarmTest, WarnsOnlyPastTheMaximumOfTheEditedRowsMonth) {
    const std::string overMarch =
        "Attention ! Vous aviez décidé de ne pas dépenser plus de 100.00 Euros par mois pour la "
        "rubrique \"Courses\". Or, ce mois-ci, vous en êtes à 110.00 Euros...";
    struct Case {
        const char* what;
        std::vector<Operation> operations;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"a first debit under the maximum", {{"05/03/2024", "Courses", "60.00"}}, {}},
        {"a second one past it",
         {{"05/03/2024", "Courses", "60.00"}, {"12/03/2024", "Courses", "50.00"}},
         {overMarch}},
        {"the next month starts again",
         {{"05/03/2024", "Courses", "60.00"},
          {"12/03/2024", "Courses", "50.00"},
          {"02/04/2024", "Courses", "20.00"}},
         {}},
        {"the same month of another year is another month",
         {{"05/03/2024", "Courses", "60.00"}, {"12/03/2023", "Courses", "50.00"}},
         {}},
        {"exactly the maximum",
         {{"05/03/2024", "Courses", "60.00"}, {"12/03/2024", "Courses", "40.00"}},
         {}},
        {"another case is another category",
         {{"05/03/2024", "Courses", "60.00"}, {"12/03/2024", "COURSES", "50.00"}},
         {}},
        {"credits are not subtracted",
         {{"05/03/2024", "Courses", "110.00"}, {"12/03/2024", "Courses", ""}},
         {overMarch}},
        {"an old row is compared with its own month",
         {{"05/03/2024", "Courses", "60.00"},
          {"02/04/2024", "Courses", "20.00"},
          {"12/03/2024", "Courses", "50.00"}},
         {overMarch}},
        {"a category without maximum",
         {{"05/03/2024", "Loyer", "600.00"}, {"12/03/2024", "Loyer", "600.00"}},
         {}},
        {"a row without a readable date",
         {{"05/03/2024", "Courses", "160.00"}, {"", "Courses", "50.00"}},
         {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enter(c.operations), c.warnings) << c.what;
    }
}

TEST_F(BudgetAlarmTest, PlaysTheAlarmWhenSoundsAreOnAndNamesTheCurrency) {
    const std::vector<Operation> over = {{"05/03/2024", "Courses", "60.00"},
                                         {"12/03/2024", "Courses", "50.00"}};
    // The warning still shows when sounds are off.
    soundsOn = false;
    ASSERT_EQ(enter(over, false).size(), 1u);
    EXPECT_NE(dialogs.texts()[0].find("plus de 100.00 Francs par mois"), std::string::npos);
    EXPECT_NE(dialogs.texts()[0].find("à 110.00 Francs..."), std::string::npos);
    EXPECT_EQ(dialogs.shown()[0].kind, platform::MessageKind::Warning);
    EXPECT_TRUE(sounds.played.empty());

    soundsOn = true;
    enter(over);
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0], paths.programFile("alarme.wav"));
}

TEST_F(BudgetAlarmTest, TheMaximaAreTheOpenAccountsThroughItsPart) {
    NameList categories{{"Courses"}};
    BudgetPart part(registry, dialogs, categories, alarm);
    const std::string user = "Anne";
    const std::string other = "Livret";
    part.closed();
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 0);
    part.loaded({user, other, true});
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 0);
    const std::string account = "Courant";
    part.loaded({user, account, true});
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 10000);
    // The settings store ignores case, as the register's category list does.
    EXPECT_EQ(alarm.monthlyMaximum("courses"), 10000);
    EXPECT_EQ(alarm.monthlyMaximum(""), 0);

    part.converted({user, account, false}, false);
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 65596); // 100.00 euros: 655.957 francs
    part.converted({user, account, true}, true);
    EXPECT_EQ(alarm.monthlyMaximum("Courses"), 10000);
    // Written through the alarm, a maximum already read is read again.
    ASSERT_TRUE(alarm.replaceAll({{"Courses", "80.00", ""}}));
    EXPECT_EQ(alarm.monthlyMaximum("COURSES"), 8000);
    part.closed();
    EXPECT_FALSE(alarm.replaceAll({{"Courses", "80.00", ""}}));
}

} // namespace
} // namespace ledgora
