#include <fstream>

#include <gtest/gtest.h>

#include "TestWorld.h"
#include "banktools/DepositPrint.h"
#include "banktools/DepositSlipLook.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

struct Op {
    const char* date;
    const char* numero;
    const char* rubrique;
    const char* notes;
    const char* mode;
    const char* debit;
    const char* credit;
};

Grid registerOf(std::initializer_list<Op> ops) {
    Grid reg = makeRegister(static_cast<int>(ops.size()) + 1);
    int r = 1;
    for (const Op& op : ops) {
        reg.set(r, col::Date, op.date);
        reg.set(r, col::Numero, op.numero);
        reg.set(r, col::Rubrique, op.rubrique);
        reg.set(r, col::Notes, op.notes);
        reg.set(r, col::ModePaiement, op.mode);
        reg.set(r, col::Debit, op.debit);
        reg.set(r, col::Credit, op.credit);
        ++r;
    }
    return reg;
}

std::vector<std::string> column(const Grid& grid, int c) {
    std::vector<std::string> out;
    for (int r = 1; r < grid.rowCount(); ++r) {
        out.push_back(grid.at(r, c));
    }
    return out;
}

TEST(DepositSlipTest, ChequesAreCreditsThatSayChequeExactly) {
    struct Case {
        Op op;
        bool listed;
    };
    const Case cases[] = {
        {{"01/03/2024", "", "Salaire", "", "Chèque", "", "100.00"}, true},
        {{"01/03/2024", "12", "Courses", "", "Chèque", "40.00", ""}, false},
        {{"01/03/2024", "", "Divers", "remise du chèque de Paul", "Espèces", "", "20.00"}, true},
        {{"01/03/2024", "", "Chèques reçus", "", "", "", "5.00"}, true},
        {{"01/03/2024", "", "Divers", "", "CHEQUE", "", "30.00"}, false},
        {{"01/03/2024", "", "Divers", "un cheque", "Cheque", "", "30.00"}, false},
        {{"01/03/2024", "", "Divers", "", "CHÈQUE", "", "30.00"}, false},
        {{"01/03/2024", "", "Divers", "", "Chèque", "", ""}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.op.mode) + "/" + c.op.rubrique + "/" + c.op.notes);
        const Grid reg = registerOf({c.op});
        EXPECT_EQ(isChequeToDeposit(reg, 1), c.listed);
    }
}

TEST(DepositSlipTest, OpeningListsTheChequesByDateUnticked) {
    const Grid reg = registerOf({
        {"15/03/2024", "7", "Salaire", "mars", "Chèque", "", "100.00"},
        {"02/01/2024", "", "Loyer", "", "Chèque", "650.00", ""},
        {"01/02/2024", "3", "Divers", "chèque de Paul", "Espèces", "", "50.50"},
        {"01/02/2024", "", "Divers", "", "Virement", "", "20.00"},
    });
    DepositSlip slip;
    platform::ScriptedDialogs dialogs;
    ASSERT_TRUE(openDepositSlip(slip, reg, dialogs));
    EXPECT_TRUE(dialogs.shown().empty());
    const Grid& g = slip.grid();
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(column(g, slip_col::Number), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(g, slip_col::Date), (std::vector<std::string>{"01/02/2024", "15/03/2024"}));
    EXPECT_EQ(column(g, slip_col::Notes), (std::vector<std::string>{"chèque de Paul", "mars"}));
    EXPECT_EQ(column(g, slip_col::Montant), (std::vector<std::string>{"50.50", "100.00"}));
    EXPECT_EQ(column(g, slip_col::Numero), (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(column(g, slip_col::Tick), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(g.at(0, slip_col::Tick), "A remettre");
    EXPECT_EQ(g.at(0, slip_col::Montant), "Montant");
    EXPECT_EQ(slip.total(), 0);

    // A second opening starts afresh: ticks and notes typed before are gone.
    slip.toggle(1);
    slip.setNotes(1, "changé");
    ASSERT_TRUE(openDepositSlip(slip, reg, dialogs));
    EXPECT_FALSE(slip.isTicked(1));
    EXPECT_EQ(slip.grid().at(1, slip_col::Notes), "chèque de Paul");
}

TEST(DepositSlipTest, NoChequeSaysSoAndLeavesOneEmptyRow) {
    const Grid reg = registerOf({{"01/03/2024", "", "Courses", "", "Chèque", "10.00", ""}});
    DepositSlip slip;
    platform::ScriptedDialogs dialogs;
    EXPECT_FALSE(openDepositSlip(slip, reg, dialogs));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, platform::MessageKind::Information);
    EXPECT_EQ(dialogs.shown()[0].text, "Aucun chèque à remettre trouvé.");
    EXPECT_EQ(slip.grid().rowCount(), 2);
    // The empty row is no cheque: it can be neither ticked nor edited.
    slip.toggle(1);
    EXPECT_EQ(slip.tickedCount(), 0);
    EXPECT_FALSE(slip.mayEdit(1, slip_col::Notes));
}

TEST(DepositSlipTest, TotalOfTheTickedAmountsAndThePrintedTitle) {
    const Grid reg = registerOf({
        {"01/03/2024", "", "", "", "Chèque", "", "100.00"},
        {"02/03/2024", "", "", "", "Chèque", "", "70.00"},
        {"03/03/2024", "", "", "", "Chèque", "", "50.50"},
    });
    DepositSlip slip;
    slip.fill(reg);
    slip.toggle(1);
    slip.toggle(3);
    EXPECT_EQ(slip.total(), 15050);
    EXPECT_EQ(depositTotalText(slip.total()), "150.50");
    EXPECT_EQ(depositPrintTitle(slip.total(), true), "Total remis : 150.50 Euros");
    EXPECT_EQ(depositPrintTitle(slip.total(), false), "Total remis : 150.50 Francs");
    slip.toggle(1);
    EXPECT_EQ(depositTotalText(slip.total()), "50.50");

    // Exact in cents however many cheques.
    Grid many = makeRegister(10001);
    for (int r = 1; r <= 10000; ++r) {
        many.set(r, col::ModePaiement, "Chèque");
        many.set(r, col::Credit, "0.10");
    }
    slip.fill(many);
    for (int r = 1; r <= 10000; ++r) {
        slip.toggle(r);
    }
    EXPECT_EQ(depositTotalText(slip.total()), "1000.00");
}

TEST(DepositSlipTest, OnlyTheBoxAndTheNotesAreEditable) {
    DepositSlip slip;
    slip.fill(registerOf({{"01/03/2024", "1", "R", "N", "Chèque", "", "1.00"}}));
    for (int c = 0; c < slip_col::Count; ++c) {
        EXPECT_EQ(slip.mayEdit(1, c), c == slip_col::Tick || c == slip_col::Notes) << c;
    }
    EXPECT_FALSE(slip.mayEdit(0, slip_col::Notes));
    EXPECT_FALSE(slip.mayEdit(2, slip_col::Notes));
}

TEST(DepositSlipTest, ACaptionClickSortsByThatColumnsKindAndRenumbers) {
    const Grid reg = registerOf({
        {"15/03/2024", "10", "élec", "b", "Chèque", "", "9.00"},
        {"02/01/2025", "9", "Eau", "a", "Chèque", "", "10.00"},
        {"01/02/2024", "100", "Zoo", "a", "Chèque", "", "-5.00"},
    });
    struct Case {
        int column;
        std::vector<std::string> dates;
    };
    const Case cases[] = {
        {slip_col::Date, {"01/02/2024", "15/03/2024", "02/01/2025"}},
        {slip_col::Numero, {"02/01/2025", "15/03/2024", "01/02/2024"}},
        {slip_col::Montant, {"01/02/2024", "15/03/2024", "02/01/2025"}},
        {slip_col::Rubrique, {"02/01/2025", "15/03/2024", "01/02/2024"}},
        // Equal notes keep the order they had (by date after opening).
        {slip_col::Notes, {"01/02/2024", "02/01/2025", "15/03/2024"}},
        {slip_col::Number, {"01/02/2024", "15/03/2024", "02/01/2025"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        DepositSlip slip;
        slip.fill(reg);
        slip.sortBy(c.column);
        EXPECT_EQ(column(slip.grid(), slip_col::Date), c.dates);
        EXPECT_EQ(column(slip.grid(), slip_col::Number), (std::vector<std::string>{"1", "2", "3"}));
    }
    DepositSlip slip;
    slip.fill(reg);
    slip.toggle(3);
    slip.sortBy(slip_col::Tick);
    EXPECT_EQ(slip.grid().at(1, slip_col::Date), "02/01/2025");
    EXPECT_TRUE(slip.isTicked(1));
}

TEST(DepositSlipTest, PrintGridHoldsTheTickedRowsInTheSelectionsOrder) {
    DepositSlip slip;
    slip.fill(registerOf({
        {"01/03/2024", "1", "R1", "N1", "Chèque", "", "1.00"},
        {"02/03/2024", "2", "R2", "N2", "Chèque", "", "2.00"},
        {"03/03/2024", "3", "R3", "N3", "Chèque", "", "3.00"},
    }));
    slip.sortBy(slip_col::Montant);
    slip.toggle(3);
    slip.toggle(1);
    slip.setNotes(3, "édité");
    slip.sortBy(slip_col::Numero); // 1, 2, 3
    const Grid print = slip.printGrid();
    ASSERT_EQ(print.columnCount(), slip_print_col::Count);
    ASSERT_EQ(print.rowCount(), 3);
    const std::vector<std::string> captions = {"",         "Date",  "Numéro",
                                               "Rubrique", "Notes", "Montant"};
    for (int c = 0; c < slip_print_col::Count; ++c) {
        EXPECT_EQ(print.at(0, c), captions[static_cast<std::size_t>(c)]);
    }
    EXPECT_EQ(column(print, slip_print_col::Number), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(column(print, slip_print_col::Numero), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(column(print, slip_print_col::Notes), (std::vector<std::string>{"N1", "édité"}));
    EXPECT_EQ(column(print, slip_print_col::Montant), (std::vector<std::string>{"1.00", "3.00"}));
}

TEST(DepositSlipTest, LookTintsOddRowsAndPaintsTheAmountBlue) {
    DepositSlip slip;
    slip.fill(registerOf({{"01/03/2024", "", "", "", "Chèque", "", "1.00"},
                          {"02/03/2024", "", "", "", "Chèque", "", "2.00"}}));
    const DepositSlipLook screen = DepositSlipLook::selection();
    const Grid& g = slip.grid();
    EXPECT_EQ(screen.gridColor(), (Rgb{236, 255, 236}));
    EXPECT_EQ(screen.cell(g, 0, 3).alignment, Alignment::Center);
    EXPECT_EQ(screen.cell(g, 1, 0).alignment, Alignment::Center);
    EXPECT_EQ(screen.cell(g, 1, slip_col::Tick).alignment, Alignment::Center);
    EXPECT_EQ(screen.cell(g, 1, slip_col::Date).background, (Rgb{230, 255, 255}));
    EXPECT_EQ(screen.cell(g, 2, slip_col::Date).background, std::nullopt);
    const CellLook amount = screen.cell(g, 2, slip_col::Montant);
    EXPECT_EQ(amount.text, (Rgb{0, 0, 255}));
    EXPECT_EQ(amount.alignment, Alignment::Right);
    EXPECT_EQ(screen.cell(g, 1, slip_col::Notes).text, std::nullopt);

    const Grid print = slip.printGrid();
    const DepositSlipLook paper = DepositSlipLook::print();
    EXPECT_EQ(paper.cell(print, 0, slip_print_col::Montant).text, std::nullopt);
    EXPECT_EQ(paper.cell(g, 1, slip_print_col::Montant).text, (Rgb{0, 0, 255}));
    EXPECT_EQ(paper.cell(g, 1, slip_print_col::Date).alignment, Alignment::Left);
}

TEST(DepositSlipTest, CaptionNamesUserAccountAndCurrency) {
    EXPECT_EQ(depositSlipCaption("Anne", "Courant", true),
              "Ledgora - Bordereau de remise de chèques - Anne : compte \"Courant\" (Euros)");
    EXPECT_EQ(depositSlipCaption("Anne", "Livret", false),
              "Ledgora - Bordereau de remise de chèques - Anne : compte \"Livret\" (Francs)");
}

TEST(DepositDetailsTest, FocusGoesToTheFirstEmptyField) {
    const std::pair<DepositDetails, std::optional<int>> cases[] = {
        {{"", "", ""}, 0},       {{"", "Nom", "Adr"}, 0}, {{"123", "", ""}, 1},
        {{"123", "", "Adr"}, 1}, {{"123", "Nom", ""}, 2}, {{"123", "Nom", "Adr"}, std::nullopt},
    };
    for (const auto& [details, focus] : cases) {
        EXPECT_EQ(firstEmptyDetail(details), focus) << details.number << details.name;
    }
}

TEST(DepositDetailsTest, FieldsTheSettingsCannotKeepAreFound) {
    const std::pair<DepositDetails, std::optional<int>> cases[] = {
        {{"12 345", "Anne Müller-Œuvre", "3 rue\r\n75001\tParis €"}, std::nullopt},
        {{"", "", ""}, std::nullopt},
        {{"\x01", "", ""}, 0},
        {{"1", "Ő", ""}, 1},
        {{"1", "A", "ligne\x7F"}, 2},
        {{"1", "A", "Łódź"}, 2},
    };
    for (const auto& [details, bad] : cases) {
        EXPECT_EQ(unstorableDetail(details), bad) << details.name << details.address;
    }
}

TEST(DepositDetailsTest, HeaderLinesKeepTypedLineBreaks) {
    EXPECT_EQ(depositHeaderLines({"0123 456", "Anne Martin", "3 rue des Lilas"}),
              (std::vector<std::string>{"Bordereau de remise de chèques - Compte n° 0123 456",
                                        "Anne Martin - 3 rue des Lilas"}));
    EXPECT_EQ(depositHeaderLines({"1", "A", "3 rue\r\n75001 Paris\rFrance\n"}),
              (std::vector<std::string>{"Bordereau de remise de chèques - Compte n° 1", "A - 3 rue",
                                        "75001 Paris", "France", ""}));
    EXPECT_EQ(depositHeaderLines({}),
              (std::vector<std::string>{"Bordereau de remise de chèques - Compte n° ", " - "}));
    EXPECT_EQ(depositTitleColour(false), (Rgb{255, 0, 0}));
    EXPECT_EQ(depositTitleColour(true), (Rgb{0, 0, 0}));
}

// The details dialog, answering from a script and recording what it was shown.
struct ScriptedDetailsForm : DepositDetailsForm {
    std::optional<DepositDetails> answer;
    std::vector<DepositDetails> asked;
    std::optional<DepositDetails> askDepositDetails(const DepositDetails& stored) override {
        asked.push_back(stored);
        return answer;
    }
};

struct PrintFixture : ::testing::Test {
    testing::TestMachine machine;
    DepositSlip slip;
    ScriptedDetailsForm form;
    std::string user = "Anne";
    std::string courant = "Courant";
    std::string livret = "Livret";

    PrintFixture() {
        slip.fill(registerOf({{"01/03/2024", "", "", "", "Chèque", "", "100.00"},
                              {"02/03/2024", "", "", "", "Chèque", "", "50.50"}}));
    }
    std::optional<DepositPrintJob> print(const std::string& account, bool euros = true) {
        return prepareDepositPrint(slip, {user, account, euros}, form, machine.dialogs,
                                   machine.registry);
    }
};

TEST_F(PrintFixture, NothingTickedWarnsWithoutAsking) {
    EXPECT_FALSE(print(courant));
    EXPECT_TRUE(form.asked.empty());
    ASSERT_EQ(machine.dialogs.shown().size(), 1u);
    EXPECT_EQ(machine.dialogs.shown()[0].kind, platform::MessageKind::Warning);
    EXPECT_EQ(machine.dialogs.shown()[0].text, "Vous n'avez sélectionné aucun chèque à remettre !");
}

TEST_F(PrintFixture, DetailsAreKeptForTheSameAccountOnly) {
    slip.toggle(1);
    slip.toggle(2);
    const DepositDetails typed{"0123 456", "Anne Martin", "3 rue des Lilas\r\n75001 Paris"};
    const DepositDetails tricky{"n° 7 \"A\"", "Zoé \\ Noël", "a\nb\rc\td ; [x] = \"y\""};
    form.answer = typed;
    const auto job = print(courant);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->title, "Total remis : 150.50 Euros");
    EXPECT_EQ(job->grid.rowCount(), 3);
    EXPECT_EQ(job->header,
              (std::vector<std::string>{"Bordereau de remise de chèques - Compte n° 0123 456",
                                        "Anne Martin - 3 rue des Lilas", "75001 Paris"}));
    EXPECT_EQ(form.asked.back(), DepositDetails{});

    // Prefilled next time for this account, from the hive as another process reads it.
    platform::Registry reread(machine.paths.registryFolder());
    EXPECT_EQ(readDepositDetails(reread, user, courant), typed);
    form.answer.reset();
    EXPECT_FALSE(print(courant));
    EXPECT_EQ(form.asked.back(), typed);
    // Not for another account.
    EXPECT_FALSE(print(livret));
    EXPECT_EQ(form.asked.back(), DepositDetails{});

    // Whatever the user typed comes back from the hive as typed, and the hive stays whole.
    form.answer = tricky;
    ASSERT_TRUE(print(livret));
    platform::Registry again(machine.paths.registryFolder());
    EXPECT_EQ(readDepositDetails(again, user, livret), tricky);
    EXPECT_EQ(readDepositDetails(again, user, courant), typed);
    EXPECT_TRUE(again.takeNotices().empty());
    EXPECT_TRUE(machine.dialogs.shown().empty());
}

TEST_F(PrintFixture, CancellingLeavesTheStoredDetailsAlone) {
    slip.toggle(2);
    form.answer = DepositDetails{"1", "A", "B"};
    ASSERT_TRUE(print(courant, false));
    form.answer.reset();
    EXPECT_FALSE(print(courant, false));
    EXPECT_EQ(readDepositDetails(machine.registry, user, courant), (DepositDetails{"1", "A", "B"}));
}

TEST_F(PrintFixture, DetailsThatCannotBeStoredAreReportedAndStillPrinted) {
    slip.toggle(1);
    form.answer = DepositDetails{"1", "A", "B"};
    // The settings folder's place is taken by a file: no hive can be saved there.
    std::filesystem::create_directories(machine.paths.registryFolder().parent_path());
    std::filesystem::remove_all(machine.paths.registryFolder());
    { std::ofstream(machine.paths.registryFolder()) << "x"; }
    const auto job = print(courant);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->title, "Total remis : 100.00 Euros");
    ASSERT_EQ(machine.dialogs.shown().size(), 1u);
    EXPECT_EQ(machine.dialogs.shown()[0].kind, platform::MessageKind::Error);
}

} // namespace
} // namespace ledgora
