// What the user typed is never changed or lost without a word: a failed save stops the
// command that would have dropped the edits, a paste keeps the debit/credit one-of rule,
// the line keys follow the menu's rules, click-fill only proposes, and the questions that
// destroy data default to "Non".
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "TestWorld.h"
#include "money/Amount.h"
#include "platform/FileIO.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "support/Installation.h"

namespace ledgora {
namespace {

namespace fs = std::filesystem;
using testing::Installation;
using testing::TestWorld;

TEST(EditSafety, AFailedSaveStopsTheCloseAndEveryChangeOfUserOrAccount) {
    struct Case {
        const char* command;
        // Scripts the dialogs for the command and runs it.
        std::function<void(Installation&)> run;
    };
    const Case cases[] = {
        {"close",
         [](Installation& i) {
             EXPECT_FALSE(i.ws.queryClose({0, 0, 640, 480, false}));
         }},
        {"choose user",
         [](Installation& i) {
             i.dialogs.choose(0).choose(0);
             i.manager().chooseUser();
         }},
        {"new user",
         [](Installation& i) {
             i.dialogs.fill({"Carl", ""}).fill({"Livret", "0"});
             EXPECT_FALSE(i.manager().newUser());
         }},
        {"new account",
         [](Installation& i) {
             i.dialogs.fill({"Epargne", "0"});
             EXPECT_FALSE(i.manager().newAccount());
         }},
        {"open account",
         [](Installation& i) {
             i.dialogs.choose(0);
             EXPECT_FALSE(i.manager().openAccount());
         }},
        {"save as",
         [](Installation& i) {
             i.dialogs.fill({"Autre"});
             i.manager().saveAs();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        Installation i;
        i.addUser("Anne", "");
        i.addUser("Bob", "");
        i.dialogs.clear();
        auto& session = i.ws.session();
        const fs::path file = i.paths.accountFile("Bob", "Courant");
        fs::copy_file(file, i.paths.accountFile("Bob", "Livret"));
        session.validateCell(2, col::Debit, "42");
        // The disk refuses: the account's file cannot be replaced.
        fs::remove(file);
        fs::create_directories(file / "in the way");

        c.run(i);
        ASSERT_FALSE(i.dialogs.texts().empty());
        EXPECT_EQ(i.dialogs.texts().back(), "Cannot Create " + file.string());
        EXPECT_EQ(session.user(), "Bob");
        EXPECT_EQ(session.account(), "Courant");
        EXPECT_EQ(session.grid().at(2, col::Debit), "42.00");

        // Space freed: the same command goes through and the edit reaches the file.
        fs::remove_all(file);
        EXPECT_TRUE(i.ws.queryClose({0, 0, 640, 480, false}));
        const auto saved = platform::readFile(file);
        ASSERT_TRUE(saved.has_value());
        EXPECT_NE(saved->find("42.00"), std::string::npos);
    }
}

TEST(EditSafety, PasteKeepsTheDebitCreditOneOfRule) {
    struct Case {
        const char* name;
        int column;            // where the paste starts on row 2
        const char* clipboard; // pasted onto row 2 (and below)
        const char* debit;     // row 2 afterwards
        const char* credit;    //
        const char* warning;   // empty: none
    };
    // Row 2 holds a credit of 10.00 and row 3 a debit of 5.00 before each paste.
    const Case cases[] = {
        {"debit beside a credit", col::Debit, "12", "", "10.00",
         "Montant non collé à la ligne 2 : une opération ne peut avoir à la fois un débit et un "
         "crédit."},
        {"both amounts", col::Debit, "12\t3", "", "10.00",
         "Montant non collé à la ligne 2 : une opération ne peut avoir à la fois un débit et un "
         "crédit."},
        {"debit that empties the credit", col::Debit, "12\t", "12.00", "", ""},
        {"credit over the credit", col::Credit, "7", "", "7.00", ""},
        {"rows 2 and 3", col::Debit, "1\r\n5\t2", "", "10.00",
         "Montants non collés aux lignes 2, 3 : une opération ne peut avoir à la fois un débit et "
         "un crédit."},
        {"the rest of the row is pasted", col::Rubrique, "Loyer\tnote\t\t12", "", "10.00",
         "Montant non collé à la ligne 2 : une opération ne peut avoir à la fois un débit et un "
         "crédit."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorld w;
        ASSERT_TRUE(w.session.create("Courant", 100, true));
        w.session.validateCell(2, col::Credit, "10");
        w.session.validateCell(3, col::Debit, "5");
        w.session.paste(2, c.column, c.clipboard);
        const Grid& g = w.session.grid();
        EXPECT_EQ(g.at(2, col::Debit), c.debit);
        EXPECT_EQ(g.at(2, col::Credit), c.credit);
        EXPECT_TRUE(g.at(3, col::Credit).empty());
        for (int r = 1; r < g.rowCount(); ++r) {
            EXPECT_FALSE(!g.at(r, col::Debit).empty() && !g.at(r, col::Credit).empty()) << r;
        }
        if (*c.warning == '\0') {
            EXPECT_TRUE(w.dialogs.shown().empty());
        } else {
            EXPECT_EQ(w.dialogs.texts(), std::vector<std::string>{c.warning});
        }
        // The balance counts what the register holds.
        double balance = 100;
        for (int r = 2; r < g.rowCount(); ++r) {
            balance += parseAmount(g.at(r, col::Credit)) - parseAmount(g.at(r, col::Debit));
        }
        EXPECT_EQ(w.session.balances().balance, centsOf(balance));
    }
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.paste(1, col::Notes, "Solde initial\t\tChèque\t1");
    EXPECT_EQ(w.session.grid().at(1, col::Debit), ""); // the initial balance is a credit
    EXPECT_EQ(w.dialogs.texts().size(), 1u);
}

TEST(EditSafety, LineKeysFollowTheMenuRules) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.validateCell(2, col::Debit, "1");
    w.session.validateCell(3, col::Debit, "2");
    const Grid& g = w.session.grid();
    ASSERT_EQ(g.rowCount(), 5); // caption, initial balance, two debits, the blank row
    const int last = g.rowCount() - 1;

    // F8 on the final blank row: nothing, not even a question; a row to type in remains.
    EXPECT_FALSE(canDeleteRow(true, g, last));
    EXPECT_FALSE(w.session.deleteLine(last));
    EXPECT_TRUE(w.dialogs.shown().empty());
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_TRUE(isBlankRow(g, g.rowCount() - 1));

    // F7 on the last row: nothing; one blank row at the end, always.
    EXPECT_FALSE(canInsertAfter(true, g, last));
    EXPECT_FALSE(w.session.insertLineAfter(last));
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_TRUE(canInsertAfter(true, g, last - 1));
    EXPECT_TRUE(w.session.insertLineAfter(last - 1));
    EXPECT_EQ(g.rowCount(), 6);
    EXPECT_FALSE(canInsertAfter(false, g, 1));
    EXPECT_FALSE(canInsertAfter(true, g, 0));

    // The blank row inserted in the middle may go, with the question.
    w.dialogs.yes();
    EXPECT_TRUE(w.session.deleteLine(4));
    EXPECT_EQ(w.dialogs.texts(),
              std::vector<std::string>{"Voulez-vous vraiment supprimer la ligne 4 ?"});
    EXPECT_EQ(g.rowCount(), 5);
}

TEST(EditSafety, ClickFillIsOnlyAProposal) {
    TestWorld w;
    ASSERT_TRUE(w.session.create("Courant", 100, true));
    w.session.validateCell(2, col::Numero, "41");
    w.session.validateCell(2, col::Rubrique, "Loyer");
    const Grid& g = w.session.grid();
    const int blank = g.rowCount() - 1;
    EXPECT_EQ(w.session.clickProposal(blank, col::Numero), std::optional<std::string>("42"));
    EXPECT_EQ(w.session.clickProposal(blank, col::Rubrique), std::optional<std::string>("Loyer"));
    // Nothing was written: the blank row is still blank and undated.
    EXPECT_TRUE(isBlankRow(g, blank));
    EXPECT_EQ(g.at(blank, col::Date), "");
    EXPECT_EQ(w.session.clickProposal(blank, col::Solde), std::nullopt);
    EXPECT_EQ(w.session.clickProposal(2, col::Rubrique), std::nullopt); // not empty

    // Only a validated proposal becomes the row's: dated, with a new blank row below.
    w.session.validateCell(blank, col::Rubrique, *w.session.clickProposal(blank, col::Rubrique));
    EXPECT_EQ(g.at(blank, col::Date), "05/03/2024");
    EXPECT_EQ(g.rowCount(), blank + 2);

    w.session.close();
    EXPECT_EQ(w.session.clickProposal(blank + 1, col::Rubrique), std::nullopt);
}

TEST(EditSafety, QuestionsThatDestroyDataDefaultToNo) {
    Installation i;
    i.addUser("Anne", "");
    i.dialogs.fill({"Livret", "0"});
    ASSERT_TRUE(i.manager().newAccount());
    i.dialogs.clear();
    i.dialogs.fill({"Courant", "1"}).no().cancel();
    EXPECT_FALSE(i.manager().newAccount());
    i.dialogs.choose(0).no();
    i.manager().deleteAccount();
    i.dialogs.no();
    EXPECT_FALSE(i.manager().deleteUser("Anne"));
    const auto& shown = i.dialogs.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Ce compte existe déjà. Voulez-vous le remplacer ?");
    EXPECT_EQ(shown[0].kind, platform::MessageKind::Warning);
    EXPECT_EQ(shown[1].text, "Voulez-vous vraiment supprimer le compte \"Courant\" ?");
    EXPECT_EQ(shown[1].kind, platform::MessageKind::Confirmation);
    EXPECT_EQ(shown[2].kind, platform::MessageKind::Warning);
    for (const auto& s : shown) {
        EXPECT_EQ(s.buttons, platform::Buttons::YesNoDefaultNo) << s.text;
    }
    EXPECT_TRUE(fs::exists(i.paths.accountFile("Anne", "Courant")));
}

} // namespace
} // namespace ledgora
