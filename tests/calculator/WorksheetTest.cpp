#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "calculator/PageTape.h"
#include "calculator/Worksheet.h"

namespace calculator {
namespace {

using Lines = std::vector<std::string>;

TEST(WorksheetTest, TapeModeSplitsOperatorsAndPutsTheResultOnItsOwnLine) {
    Worksheet sheet;
    sheet.switchMode(DisplayMode::Tape);
    sheet.type("2+3");
    EXPECT_EQ(sheet.lines(), (Lines{"2", "+3"}));
    const auto outcomes = sheet.type("=");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status.text, "ok");
    EXPECT_EQ(sheet.lines(), (Lines{"2", "+3", "=5,00", ""}));
    EXPECT_EQ(sheet.caretLine(), 3);
    EXPECT_EQ(sheet.caretColumn(), 0);
    // Going on from the fresh line, then recomputing, keeps one calculation per result.
    sheet.type("4×2\r");
    EXPECT_EQ(sheet.lines(), (Lines{"2", "+3", "=5,00", "4", "×2", "=8,00", ""}));
}

TEST(WorksheetTest, PageModeRewritesEveryLineWithItsResult) {
    Worksheet sheet;
    sheet.variables()[0] = "2";
    sheet.type("x^2+1=");
    EXPECT_EQ(sheet.lines(), (Lines{"x^2+1=5,00", ""}));
    EXPECT_EQ(sheet.caretLine(), 1);
    // "=" again: old results are dropped, never evaluated; "=" lines are emptied.
    sheet.setPage("1+1=7\n=3,00\n\n2×3=\n");
    sheet.setCaret(0, 0);
    const ComputeOutcome outcome = sheet.compute();
    EXPECT_EQ(sheet.lines(), (Lines{"1+1=2,00", "", "", "2×3=6,00", ""}));
    EXPECT_EQ(sheet.caretLine(), 0);
    EXPECT_EQ(sheet.caretColumn(), 8);
    EXPECT_TRUE(outcome.restoreScroll);
}

TEST(WorksheetTest, TheFirstFailingLineStopsTheComputation) {
    const struct {
        const char* page;
        Lines after;
        const char* status;
        int errorLine;
    } cases[] = {
        {"1+1\n4÷0\n2+2=old",
         {"1+1=2,00", "4÷0=?", "2+2=old"},
         "Erreur en ligne 2 : division par zéro.",
         1},
        {"(5\n1+1=old",
         {"(5=?", "1+1=old"},
         "Erreur de syntaxe en ligne 1 : expression incorrecte.",
         0},
        {"SQR(0-4)", {"SQR(0-4)=?"}, "Erreur en ligne 1 : racine carrée d'un nombre négatif.", 0},
        {"2+3", {"2+3=5,00", ""}, "ok", -1},
    };
    for (const auto& c : cases) {
        Worksheet sheet;
        sheet.setPage(c.page);
        const ComputeOutcome outcome = sheet.compute();
        EXPECT_EQ(sheet.lines(), c.after) << c.page;
        EXPECT_EQ(outcome.status.text, c.status) << c.page;
        EXPECT_EQ(outcome.status.error, c.errorLine >= 0) << c.page;
        EXPECT_EQ(outcome.beep, c.errorLine >= 0) << c.page;
        EXPECT_EQ(outcome.errorLine, c.errorLine) << c.page;
    }
    // In tape mode the line number is the tape line holding "?".
    Worksheet tape;
    tape.switchMode(DisplayMode::Tape);
    tape.type("2÷0=");
    EXPECT_EQ(tape.lines(), (Lines{"2", "÷0", "=?"}));
}

TEST(WorksheetTest, VariablesAreReadFromTheirBoxes) {
    Worksheet sheet;
    sheet.variables()[1] = "";
    sheet.variables()[2] = " 1,5 ";
    sheet.variables()[3] = "  ";
    sheet.setPage("z×2\ny\nt");
    ComputeOutcome outcome = sheet.compute();
    EXPECT_EQ(sheet.lines(), (Lines{"z×2=3,00", "y=0,00", "t=0,00"}));
    EXPECT_EQ(sheet.variables()[1], "0");
    EXPECT_EQ(sheet.variables()[3], "0");

    sheet.variables()[4] = "1.5";
    sheet.setPage("m+1");
    outcome = sheet.compute();
    EXPECT_EQ(outcome.status.text, "La valeur de la variable m est incorrecte.");
    EXPECT_TRUE(outcome.status.error);
    EXPECT_EQ(outcome.badVariable, 4);
    EXPECT_EQ(sheet.lines(), (Lines{"m+1"}));
}

TEST(WorksheetTest, DecimalsSettingDecidesHowResultsPrint) {
    const struct {
        std::vector<int> ticked;
        const char* line;
    } cases[] = {
        {{DecimalsSetting::kFloating}, "1÷3=0,333333333333333"},
        {{DecimalsSetting::kNone}, "1÷3=0"},
        {{}, "1÷3=0"},
        {{16}, "1÷3=0,333333333333333"},
        {{4}, "1÷3=0,333"},
        {{DecimalsSetting::kNone, DecimalsSetting::kFloating, 5}, "1÷3=0,333333333333333"},
        {{DecimalsSetting::kNone, 5}, "1÷3=0"},
        {{2, 6, 3}, "1÷3=0,33333"},
    };
    for (const auto& c : cases) {
        Worksheet sheet;
        sheet.decimals().choose(-1);
        for (const int item : c.ticked) {
            sheet.decimals().setTicked(item, true);
        }
        sheet.setPage("1÷3");
        sheet.compute();
        EXPECT_EQ(sheet.lines()[0], c.line);
    }
    Worksheet sheet;
    sheet.decimals().choose(DecimalsSetting::kFloating);
    EXPECT_EQ(sheet.decimals().ticks()[3], false);
    EXPECT_EQ(sheet.formatResult(1e20), "1E20");
}

TEST(WorksheetTest, PreviousResultIsInsertedAsDisplayed) {
    Worksheet sheet;
    sheet.type("1÷3=");
    EXPECT_EQ(sheet.previousResult(), "0,33");
    sheet.insert(*sheet.previousResult());
    EXPECT_EQ(sheet.lines(), (Lines{"1÷3=0,33", "0,33"}));
    sheet.type("×3=");
    EXPECT_EQ(sheet.lines(), (Lines{"1÷3=0,33", "0,33×3=0,99", ""}));

    // A line ending with "=" holds no result; none at all gives nothing.
    sheet.setPage("2=\n5");
    sheet.setCaret(1, 0);
    EXPECT_EQ(sheet.previousResult(), std::nullopt);
}

TEST(WorksheetTest, ConversionButtonsAppendAResultLine) {
    Worksheet sheet;
    sheet.setPage("100");
    ASSERT_TRUE(sheet.convertResult(Currency::Euros));
    EXPECT_EQ(sheet.lines(), (Lines{"100", "=15,24"}));
    sheet.setPage("1+1=10,00\n");
    sheet.setCaret(1, 0);
    ASSERT_TRUE(sheet.convertResult(Currency::Francs));
    EXPECT_EQ(sheet.lines(), (Lines{"1+1=10,00", "=65,60", ""}));
    // The next computation empties such lines.
    sheet.compute();
    EXPECT_EQ(sheet.lines(), (Lines{"1+1=2,00", "", ""}));

    sheet.setPage("abc");
    EXPECT_FALSE(sheet.convertResult(Currency::Euros));
    EXPECT_EQ(sheet.lines(), (Lines{"abc"}));
}

TEST(WorksheetTest, KeyFilters) {
    using Kind = KeyDecision::Kind;
    const struct {
        char32_t key;
        DisplayMode mode;
        int column;
        Kind kind;
        const char* text;
    } cases[] = {
        {U' ', DisplayMode::Page, 0, Kind::Refuse, ""},
        {U'.', DisplayMode::Page, 0, Kind::Insert, ","},
        {U'/', DisplayMode::Page, 1, Kind::Insert, "÷"},
        {U'*', DisplayMode::Page, 1, Kind::Insert, "×"},
        {U'=', DisplayMode::Page, 1, Kind::Compute, ""},
        {U'\r', DisplayMode::Tape, 1, Kind::Compute, ""},
        {U'+', DisplayMode::Page, 1, Kind::Insert, "+"},
        {U'+', DisplayMode::Tape, 1, Kind::Insert, "\n+"},
        {U'/', DisplayMode::Tape, 1, Kind::Insert, "\n÷"},
        {U'^', DisplayMode::Tape, 2, Kind::Insert, "\n^"},
        {U'\\', DisplayMode::Tape, 2, Kind::Insert, "\n\\"},
        {U'-', DisplayMode::Tape, 0, Kind::Insert, "-"},
        {U'(', DisplayMode::Tape, 3, Kind::Insert, "("},
        {U'é', DisplayMode::Page, 0, Kind::Insert, "é"},
    };
    for (const auto& c : cases) {
        const KeyDecision d = Worksheet::filterKey(c.key, c.mode, c.column);
        EXPECT_EQ(d.kind, c.kind) << static_cast<int>(c.key);
        EXPECT_EQ(d.text, c.text) << static_cast<int>(c.key);
    }
    EXPECT_EQ(Worksheet::filterVariableKey(U'.').text, ",");
    EXPECT_EQ(Worksheet::filterVariableKey(U'\r').kind, Kind::Compute);
    EXPECT_EQ(Worksheet::filterVariableKey(U' ').text, " ");
}

TEST(WorksheetTest, KeypadRefusesInsertionsFromTheThreshold) {
    EXPECT_EQ(Worksheet::insertionWarning(239, 1), std::nullopt);
    EXPECT_EQ(Worksheet::insertionWarning(240, 3),
              "Attention, il ne reste que 15 caractères disponibles sur la ligne 3 pour afficher "
              "le résultat. Demandez le résultat maintenant ou effacez les derniers caractères et "
              "faites des calculs intermédiaires.");
    EXPECT_EQ(Worksheet::insertionWarning(253, 1).value().substr(0, 30),
              "Attention, il ne reste que 2 c");
    EXPECT_EQ(Worksheet::insertionWarning(254, 2),
              "La ligne 2 comporte 254 caractères (maximum autorisé : 255). Le résultat risque "
              "de n'avoir aucun sens.");

    Worksheet sheet;
    sheet.setPage(std::string(239, '1'));
    sheet.setCaret(0, 239);
    EXPECT_EQ(sheet.pressKeypad("×"), std::nullopt);
    EXPECT_TRUE(sheet.pressKeypad("2").has_value());
    EXPECT_EQ(characterCount(sheet.lines()[0]), 240);
    // Typing is not limited.
    sheet.type("5");
    EXPECT_EQ(characterCount(sheet.lines()[0]), 241);
}

TEST(WorksheetTest, PageAndTapeConversions) {
    const struct {
        Lines page;
        Lines tape;
        Lines back;
    } cases[] = {
        {{"2+3=5,00"}, {"2", "+3", "=5,00"}, {"2+3=5,00"}},
        {{"-2×3=-6,00", ""}, {"", "-2", "×3", "=-6,00"}, {"-2×3=-6,00"}},
        {{"1÷2^3\\4", "", "7"}, {"1", "÷2", "^3", "\\4", "7"}, {"1÷2^3\\47"}},
        {{"SIN(2)=0,91"}, {"SIN(2)", "=0,91"}, {"SIN(2)=0,91"}},
        {{"2="}, {"2", "="}, {"2="}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pageToTape(c.page), c.tape);
        EXPECT_EQ(tapeToPage(c.tape), c.back);
    }
    EXPECT_EQ(tapeToPage({"2", "+3", "=5,00", "4"}), (Lines{"2+3=5,00", "4"}));
    EXPECT_EQ(tapeToPage({"", "-2", "×3", "=-6,00", ""}), (Lines{"-2×3=-6,00"}));

    Worksheet sheet;
    sheet.setPage("2+3=5,00\n\n4×5");
    sheet.setCaret(2, 3);
    EXPECT_TRUE(sheet.switchMode(DisplayMode::Tape));
    EXPECT_EQ(sheet.lines(), (Lines{"2", "+3", "=5,00", "4", "×5"}));
    EXPECT_EQ(sheet.caretLine(), 0);
    EXPECT_FALSE(sheet.switchMode(DisplayMode::Tape));
    EXPECT_TRUE(sheet.switchMode(DisplayMode::Page));
    EXPECT_EQ(sheet.lines(), (Lines{"2+3=5,00", "4×5"}));
}

TEST(WorksheetTest, ClearEmptiesThePage) {
    Worksheet sheet;
    sheet.type("2+2=");
    sheet.clear();
    EXPECT_TRUE(sheet.pageEmpty());
    EXPECT_EQ(sheet.page(), "");
}

} // namespace
} // namespace calculator
