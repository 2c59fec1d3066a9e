#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fincalc/CalculatorGridLook.h"
#include "fincalc/CompoundInterest.h"
#include "fincalc/Loan.h"
#include "fincalc/SimpleInterest.h"
#include "register/BlackAndWhiteLook.h"

namespace fincalc {
namespace {

enum class Kind { Loan, Simple, Compound };

std::unique_ptr<SolverForm> make(Kind kind) {
    switch (kind) {
    case Kind::Loan:
        return std::make_unique<Loan>();
    case Kind::Simple:
        return std::make_unique<SimpleInterest>();
    case Kind::Compound:
        break;
    }
    return std::make_unique<CompoundInterest>();
}

TEST(SolverForm, EntriesHideAndFocus) {
    const struct {
        int entry;
        Field solved;
        std::array<Field, 3> given;
        Field focus;
    } cases[] = {
        {0, Field::Fourth, {Field::Principal, Field::Rate, Field::Duration}, Field::Principal},
        {1, Field::Principal, {Field::Rate, Field::Duration, Field::Fourth}, Field::Rate},
        {2, Field::Rate, {Field::Principal, Field::Duration, Field::Fourth}, Field::Principal},
        {3, Field::Duration, {Field::Principal, Field::Rate, Field::Fourth}, Field::Principal},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(solvedFieldOfEntry(c.entry), c.solved);
        EXPECT_EQ(givenFields(c.solved), c.given);
        EXPECT_EQ(firstFocus(c.solved), c.focus);
    }
}

// Every field empty: each entry names its first given field; filling that one names the
// next, and so on.
TEST(SolverForm, MissingInputsInTheirOrder) {
    const struct {
        Kind kind;
        int entry;
        std::array<const char*, 3> messages;
    } cases[] = {
        {Kind::Loan,
         0,
         {"Vous n'avez pas indiqué la somme à emprunter.", "Vous n'avez pas indiqué le taux.",
          "Vous n'avez pas indiqué la durée."}},
        {Kind::Loan,
         1,
         {"Vous n'avez pas indiqué le taux.", "Vous n'avez pas indiqué la durée.",
          "Vous n'avez pas indiqué la mensualité."}},
        {Kind::Loan,
         2,
         {"Vous n'avez pas indiqué la somme à emprunter.", "Vous n'avez pas indiqué la durée.",
          "Vous n'avez pas indiqué la mensualité."}},
        {Kind::Loan,
         3,
         {"Vous n'avez pas indiqué la somme à emprunter.", "Vous n'avez pas indiqué le taux.",
          "Vous n'avez pas indiqué la mensualité."}},
        {Kind::Simple,
         1,
         {"Vous n'avez pas indiqué le taux.", "Vous n'avez pas indiqué la durée.",
          "Vous n'avez pas indiqué les intérêts acquis."}},
        {Kind::Simple,
         3,
         {"Vous n'avez pas indiqué le capital initial.", "Vous n'avez pas indiqué le taux.",
          "Vous n'avez pas indiqué les intérêts acquis."}},
        {Kind::Compound,
         0,
         {"Vous n'avez pas indiqué le capital initial.", "Vous n'avez pas indiqué le taux.",
          "Vous n'avez pas indiqué la durée."}},
        {Kind::Compound,
         2,
         {"Vous n'avez pas indiqué le capital initial.", "Vous n'avez pas indiqué la durée.",
          "Vous n'avez pas indiqué le capital final."}},
    };
    for (const auto& c : cases) {
        const auto form = make(c.kind);
        const Field solved = solvedFieldOfEntry(c.entry);
        Typed typed;
        for (std::size_t i = 0; i < 3; ++i) {
            const Outcome o = form->calculate(solved, typed);
            EXPECT_FALSE(o.done);
            EXPECT_EQ(o.message, c.messages[i]) << c.entry;
            EXPECT_EQ(o.severity, Severity::Warning);
            const Field expected = givenFields(solved)[i];
            EXPECT_EQ(o.focus, expected) << c.entry;
            typed.text(expected) = "1";
        }
        EXPECT_NE(form->calculate(solved, typed).message.rfind("Vous n'avez", 0), 0u);
    }
}

TEST(SolverForm, MissingInputComesBeforeAnUnreadableOne) {
    Loan form;
    const Outcome o = form.calculate(Field::Fourth, {"1.2.3", "", "12", ""});
    EXPECT_EQ(o.message, "Vous n'avez pas indiqué le taux.");
}

TEST(SolverForm, TextThatIsNotANumberIsNamed) {
    const struct {
        Kind kind;
        Field solved;
        Typed typed;
        const char* message;
        Field focus;
    } cases[] = {
        {Kind::Loan,
         Field::Fourth,
         {"1.2.3", "6", "12", ""},
         "La valeur indiquée pour la somme à emprunter n'est pas un nombre.",
         Field::Principal},
        {Kind::Loan,
         Field::Fourth,
         {"10000", "-", "12", ""},
         "La valeur indiquée pour le taux n'est pas un nombre.",
         Field::Rate},
        {Kind::Loan,
         Field::Fourth,
         {"10000", "6", "1-2", ""},
         "La valeur indiquée pour la durée n'est pas un nombre.",
         Field::Duration},
        {Kind::Loan,
         Field::Principal,
         {"", "6", "12", "86,0,66"},
         "La valeur indiquée pour la mensualité n'est pas un nombre.",
         Field::Fourth},
        {Kind::Simple,
         Field::Rate,
         {"1000", "", "90", "+-"},
         "La valeur indiquée pour les intérêts acquis n'est pas un nombre.",
         Field::Fourth},
        {Kind::Compound,
         Field::Duration,
         {"1000", "1.5,2", "", "2000"},
         "La valeur indiquée pour le taux n'est pas un nombre.",
         Field::Rate},
        {Kind::Compound,
         Field::Principal,
         {"", "12", "12", "1e999"},
         "La valeur indiquée pour le capital final n'est pas un nombre.",
         Field::Fourth},
    };
    for (const auto& c : cases) {
        const auto form = make(c.kind);
        const Outcome o = form->calculate(c.solved, c.typed);
        EXPECT_FALSE(o.done);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(o.severity, Severity::Error);
        EXPECT_EQ(o.focus, c.focus) << c.message;
        EXPECT_EQ(form->grid().rowCount(), kFixedRows);
        EXPECT_EQ(form->grid().at(rowOf(c.solved), 1), "") << c.message;
    }
}

TEST(SolverForm, GridBeforeAnyComputation) {
    const struct {
        Kind kind;
        std::vector<int> widths;
        std::array<const char*, 6> captions;
        std::vector<const char*> header;
    } cases[] = {
        {Kind::Loan,
         {110, 110, 110, 112},
         {"Somme à emprunter :", "Taux annuel :", "Durée :", "Mensualité :", "Somme des intérêts :",
          "Somme à rembourser :"},
         {"Mois", "Capital", "Intérêts", "Reste à payer"}},
        {Kind::Simple,
         {223, 219},
         {"Capital initial :", "Taux annuel :", "Durée :", "Intérêts acquis :", "", ""},
         {"Jour", "Capital"}},
        {Kind::Compound,
         {223, 219},
         {"Capital initial :", "Taux annuel :", "Durée :", "Capital final :", "Intérêts acquis :",
          ""},
         {"Mois", "Capital"}},
    };
    for (const auto& c : cases) {
        const auto form = make(c.kind);
        const ledgora::Grid& g = form->grid();
        ASSERT_EQ(g.rowCount(), kFixedRows);
        ASSERT_EQ(g.columnCount(), static_cast<int>(c.widths.size()));
        for (int col = 0; col < g.columnCount(); ++col) {
            EXPECT_EQ(g.columnWidth(col), c.widths[static_cast<std::size_t>(col)]);
            EXPECT_EQ(g.at(kHeaderRow, col), c.header[static_cast<std::size_t>(col)]);
        }
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(g.at(row, 0), c.captions[static_cast<std::size_t>(row)]);
        }
    }
}

TEST(CalculatorGridLook, ShadesBoldAndAlignment) {
    using ledgora::Alignment;
    constexpr ledgora::Rgb kTip{255, 255, 220};
    const std::optional<ledgora::Rgb> none;
    const struct {
        int row;
        int column;
        bool colour;
        ledgora::CellLook look;
    } cases[] = {
        {0, 0, true, {none, kTip, false, Alignment::Right}},
        {5, 1, true, {none, kTip, false, Alignment::Left}},
        {6, 0, true, {none, none, false, Alignment::Right}},
        {6, 3, true, {none, none, false, Alignment::Left}},
        {7, 0, true, {none, kHeaderBackground, true, Alignment::Center}},
        {7, 2, true, {none, kHeaderBackground, true, Alignment::Right}},
        {8, 0, true, {none, none, false, Alignment::Center}},
        {200, 3, true, {none, none, false, Alignment::Right}},
        // Black and white keeps the bold and the alignments, drops the shading.
        {3, 1, false, {none, none, false, Alignment::Left}},
        {7, 1, false, {none, none, true, Alignment::Right}},
    };
    const Loan loan;
    const CalculatorGridLook colour(kTip);
    const ledgora::BlackAndWhiteLook plain(colour);
    for (const auto& c : cases) {
        const ledgora::GridLook& look = c.colour ? static_cast<const ledgora::GridLook&>(colour)
                                                 : static_cast<const ledgora::GridLook&>(plain);
        EXPECT_EQ(look.cell(loan.grid(), c.row, c.column), c.look) << c.row << "," << c.column;
        EXPECT_EQ(look.alignment(loan.grid(), c.row, c.column), c.look.alignment);
    }
    EXPECT_EQ(colour.fixedRows(), 0);
    EXPECT_EQ(colour.fixedColumns(), 0);
}

} // namespace
} // namespace fincalc
