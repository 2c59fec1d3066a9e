#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "calculator/Evalueur.h"
#include "calculator/NumberText.h"

namespace calculator {
namespace {

struct Outcome {
    std::string value; // printed as the worksheet's "Flottante" would
    std::string message;
    bool syntax = false;
};

Outcome run(const std::string& expression, std::vector<char> letters = {},
            std::vector<double> values = {}, char separator = ',') {
    EvaluerOptions options;
    options.decimalSeparator = separator;
    // The largest draw, so RND is predictable.
    options.random = [](std::uint64_t n) { return n - 1; };
    bool syntax = false;
    const EvaluerResult r = Evaluer(expression, letters, values, syntax, options);
    return {formatGeneral(r.value, separator), r.message, syntax};
}

struct Case {
    const char* expression;
    const char* value; // nullptr: not checked (the line is in error)
    const char* message;
    bool syntax;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Outcome o = run(c.expression);
        EXPECT_EQ(o.message, c.message) << c.expression;
        EXPECT_EQ(o.syntax, c.syntax) << c.expression;
        if (c.value != nullptr) {
            EXPECT_EQ(o.value, c.value) << c.expression;
        }
    }
}

constexpr const char* kOk = "ok";
constexpr const char* kIncorrect = "expression incorrecte.";
constexpr const char* kOverflow = "dépassement de capacité.";
constexpr const char* kDivision = "division par zéro.";

TEST(EvalueurTest, PrecedenceAndAssociativity) {
    check({
        {"2+3×4", "14", kOk, false},
        {"2×3+4", "10", kOk, false},
        {"2^3^2", "64", kOk, false},
        {"7+5\\3", "9", kOk, false},
        {"2×7\\4", "2", kOk, false},
        {"7\\3", "1", kOk, false},
        {"-7\\3", "-1", kOk, false},
        {"7,5\\2", "0", kOk, false},
        {"6,5\\4", "2", kOk, false},
        {"10-4-3", "3", kOk, false},
        {"64÷4÷2", "8", kOk, false},
        {"2×3+", "6", kOk, false},
        {"×5^2", "25", kOk, false},
        {"1÷3×3", "0,999999999999999", kOk, false},
        {"0,1+0,2", "0,3", kOk, false},
        {"(2+3)×(4-1)", "15", kOk, false},
        {"((2))", "2", kOk, false},
    });
}

TEST(EvalueurTest, SignsAndScientificForms) {
    check({
        {"3--2", "5", kOk, false},
        {"3-+2", "1", kOk, false},
        {"3+-2", "1", kOk, false},
        {"3+++2", "5", kOk, false},
        {"2×-3", "-6", kOk, false},
        {"2^-1", "0,5", kOk, false},
        {"-2+-3", "-5", kOk, false},
        {"-(2)", "-2", kOk, false},
        {"2-(0-3)", "5", kOk, false},
        {"1E3+1", "1001", kOk, false},
        {"1,5E+3", "1500", kOk, false},
        {"1,5E-3", "0,0015", kOk, false},
        {"1E15+1", "1E15", kOk, false},
        {"1E400", nullptr, kIncorrect, true},
        {"1E200×1E200", nullptr, kIncorrect, true},
    });
}

TEST(EvalueurTest, PowersOfZeroAndNegativeBases) {
    check({
        {"0^3", "0", kOk, false},
        {"0^0,5", "0", kOk, false},
        {"(0-2)^3", "-8", kOk, false},
        {"(0-2)^2", "4", kOk, false},
        {"(0-2)^0", "1", kOk, false},
        {"(0-2)^-1", "-0,5", kOk, false},
        {"-3^2", "9", kOk, false}, // the sign belongs to the operand
        {"0^0", nullptr, kIncorrect, true},
        {"0^-1", nullptr, kIncorrect, true},
        {"(0-2)^0,5", nullptr, kIncorrect, true},
        {"(0-10)^400", nullptr, kIncorrect, true},
    });
}

TEST(EvalueurTest, PercentIsADivisionByAHundred) {
    check({
        {"50%", "0,5", kOk, false},
        {"12,5%", "0,125", kOk, false},
        {"200×10%", "20", kOk, false},
        {"200+10%", "200,1", kOk, false},
        {"50%%", "0,005", kOk, false},
        {"%5", nullptr, kIncorrect, true},
        {"(2)%", nullptr, kIncorrect, true},
        {"2+%", nullptr, kIncorrect, true},
    });
    // The point is not a percent digit, whatever the separator.
    const Outcome point = run("12.5%", {}, {}, '.');
    EXPECT_EQ(point.message, kIncorrect);
}

TEST(EvalueurTest, GroupsAndJuxtaposition) {
    check({
        {"12(3)", "123", kOk, false},
        {"SIN(0)", "0", kOk, false},
        {"2SIN(0)", "20", kOk, false},
        {"SIN(COS(0))", "0,841470984807897", kOk, false},
        {"ABC(2)", nullptr, kIncorrect, true},
        {"sin(0)", nullptr, kIncorrect, true},
        {"()", "1", "parenthèses incorrectement placées.", true},
        {"5+()", "1", "parenthèses incorrectement placées.", true},
        {"2+3)", "5", "il manque une parenthèse ouvrante.", true},
        {"(2+3", nullptr, "il manque une parenthèse fermante.", true},
        {"(5", nullptr, kIncorrect, true},
        {")", nullptr, kIncorrect, true},
        {"", nullptr, kIncorrect, true},
        {"5+", nullptr, kIncorrect, true},
        {"2+a", nullptr, kIncorrect, true},
        {"2 + 3", nullptr, kIncorrect, true},
    });
}

TEST(EvalueurTest, FunctionsInsideTheirDomains) {
    check({
        {"INT(2,7)", "2", kOk, false},
        {"INT(0-2,7)", "-2", kOk, false},
        {"FIX(0-2,7)", "-2", kOk, false},
        {"FRC(2,75)", "0,75", kOk, false},
        {"FRC(0-2,75)", "-0,75", kOk, false},
        {"ABS(0-3)", "3", kOk, false},
        {"CAR(3)", "9", kOk, false},
        {"CUB(2)", "8", kOk, false},
        {"SGN(0)", "0", kOk, false},
        {"SGN(0-5)", "-1", kOk, false},
        {"SGN(5)", "1", kOk, false},
        {"RND(1)", "0", kOk, false},
        {"RND(6)", "5", kOk, false},
        {"RND(0)", "0", kOk, false},
        {"RND(0-3)", "0", kOk, false},
        {"SQR(16)", "4", kOk, false},
        {"SQR(0)", "0", kOk, false},
        {"INV(4)", "0,25", kOk, false},
        {"EXP(1)", "2,71828182845905", kOk, false},
        {"LGN(1)", "0", kOk, false},
        {"LOG(100)", "2", kOk, false},
        {"COS(0)", "1", kOk, false},
        {"TAN(0)", "0", kOk, false},
        {"ATN(1)", "0,785398163397448", kOk, false},
        {"RAD(180)", "3,14159265358979", kOk, false},
        {"DEG(RAD(90))", "90,0000000000002", kOk, false},
        {"FAC(0)", "1", kOk, false},
        {"FAC(5)", "120", kOk, false},
        {"FAC(170)", "7,25741561530799E306", kOk, false},
        {"ASI(0,5)", "0,523598775598299", kOk, false},
        {"ACO(0)", "1,5707963267949", kOk, false},
        {"ACO(0-0,5)", "2,0943951023932", kOk, false},
        {"SIH(0)", "0", kOk, false},
        {"COH(0)", "1", kOk, false},
        {"TAH(0)", "0", kOk, false},
        {"ASH(0)", "0", kOk, false},
        {"ACH(1)", "0", kOk, false},
        {"ATH(0)", "0", kOk, false},
        {"SIN(1E19)", "0", kOk, false},
        {"COS(1E19)", "0", kOk, false},
    });
    // 2^63 truncated: the largest whole value below it still goes through FIX.
    check({{"FIX(9E18)", "9E18", kOk, false}});
}

TEST(EvalueurTest, FunctionsBeyondTheirDomains) {
    check({
        {"SQR(0-1)", "-1", "racine carrée d'un nombre négatif.", false},
        {"INV(0)", "0", kDivision, false},
        {"LGN(0)", "0", "logarithme d'un nombre négatif ou nul.", false},
        {"LOG(0-1)", "-1", "logarithme d'un nombre négatif ou nul.", false},
        {"ASI(1)", "1", "valeur interdite pour arcsinus.", false},
        {"ASI(0-1)", "-1", "valeur interdite pour arcsinus.", false},
        {"ACO(0-1)", "-1", "valeur interdite pour arccosinus.", false},
        {"ACH(0,5)", "0,5", "valeur interdite pour argch.", false},
        {"ATH(1)", "1", "valeur interdite pour argth.", false},
        {"FAC(171)", "171", "paramètre de factorielle trop grand.", false},
        {"FAC(2,5)", "2,5", "paramètre de factorielle non entier.", false},
        {"FAC(0-1)", "-1", "paramètre de factorielle négatif.", false},
        {"FAC(0-1,5)", "-1,5", "paramètre de factorielle négatif.", false},
        {"FAC(170,5)", "170,5", "paramètre de factorielle non entier.", false},
        {"EXP(1000)", "1E308", kOverflow, true},
        {"CAR(1E200)", "1E308", kOverflow, true},
        {"CUB(1E150)", "1E308", kOverflow, true},
        {"TAH(1000)", "1E308", kOverflow, true},
        {"SIH(0-1000)", "1E308", kOverflow, true},
        {"FIX(1E19)", "1E308", kOverflow, true},
        {"TAN(1E19)", "1E308", kOverflow, true},
        {"ASH(1E200)", "1E308", kOverflow, true},
        {"RND(1E19)", "1E308", kOverflow, true},
        {"4÷0", nullptr, kDivision, false},
        {"4\\0", nullptr, kIncorrect, true},
        {"4\\0,4", nullptr, kIncorrect, true},
        {"1E19\\2", nullptr, kIncorrect, true},
    });
}

TEST(EvalueurTest, TheLastErrorAssignedWinsAndTheFlagStays) {
    check({
        // The failing group becomes 1E308; later groups still run. Groups come before
        // the operators outside them.
        {"(4\\0)+SQR(0-1)", nullptr, "racine carrée d'un nombre négatif.", true},
        {"SQR(0-1)+4÷0", nullptr, kDivision, false},
        {"4÷0+SQR(0-1)", nullptr, kDivision, false},
        {"INV(0)+EXP(1000)", nullptr, kOverflow, true},
        {"EXP(1000)+INV(0)", nullptr, kDivision, true},
        {"SQR(0-1)+(5", nullptr, "il manque une parenthèse fermante.", true},
        {"()+SQR(0-1)", "1", "parenthèses incorrectement placées.", true},
        {"LGN(0)+(2", nullptr, "il manque une parenthèse fermante.", true},
        {"(2×a)+LGN(0)", nullptr, "logarithme d'un nombre négatif ou nul.", true},
    });
}

TEST(EvalueurTest, VariablesAreSubstitutedAsText) {
    const std::vector<char> letters = {'x', 'y', 'z', 't', 'm', 'n', 'p', 'q', 'r', 's'};
    std::vector<double> values(10, 0.0);
    values[0] = 2;
    values[1] = 3;
    values[2] = -1;
    values[3] = 1e20;
    EXPECT_EQ(run("x^2+1", letters, values).value, "5");
    EXPECT_EQ(run("z^3", letters, values).value, "-1");
    EXPECT_EQ(run("m^2", letters, values).value, "0");
    EXPECT_EQ(run("2y", letters, values).value, "23");
    EXPECT_EQ(run("xy", letters, values).message, kIncorrect);
    EXPECT_EQ(run("3z", letters, values).value, "2"); // 3-1
    EXPECT_EQ(run("t×2", letters, values).value, "2E20");
    EXPECT_EQ(run("X", letters, values).message, kIncorrect);
    const Outcome percent = run("x%", letters, values);
    EXPECT_EQ(percent.message, kIncorrect);
    EXPECT_TRUE(percent.syntax);
    // A letter whose printed value holds it does not loop.
    EXPECT_EQ(run("E", {'E'}, {1e20}).value, "1E20");
}

TEST(EvalueurTest, TheSeparatorIsAParameterOfTheCall) {
    EXPECT_EQ(run("1.5E-3", {}, {}, '.').value, "0.0015");
    EXPECT_EQ(run("1÷4", {}, {}, '.').value, "0.25");
    EXPECT_EQ(run("x×2", {'x'}, {1.5}, '.').value, "3");
    EXPECT_EQ(run("1,5+1", {}, {}, '.').message, kIncorrect);
    EXPECT_EQ(run("1,5+1", {}, {}, ',').value, "2,5");
}

TEST(EvalueurTest, TheFlagIsNeverCleared) {
    bool syntax = true;
    const EvaluerResult r = Evaluer("1+1", {}, {}, syntax);
    EXPECT_EQ(r.message, "ok");
    EXPECT_TRUE(syntax);
}

TEST(EvalueurTest, TextStepsRewriteAsDocumented) {
    std::string text = "+++";
    RemplacerTout("++", "+", text);
    EXPECT_EQ(text, "+");
    text = "-+-+-";
    RemplacerTout("+-", "-", text);
    EXPECT_EQ(text, "---");
    text = "aba";
    RemplacerTout("a", "aa", text);
    EXPECT_EQ(text, "aabaa");
    EXPECT_EQ(FinDeTexte("abc", 2), "bc");
    EXPECT_EQ(FinDeTexte("abc", 3), "c");
    EXPECT_EQ(FinDeTexte("abc", 4), "");

    EvaluerOptions options;
    options.decimalSeparator = ',';
    bool syntax = false;
    EvaluerState state{"ok", syntax, options};
    text = "1,5E-3+2--3";
    NormaliserSignes(text, state);
    EXPECT_EQ(text, "1,5\xD7"
                    "0,1^3#2#3");
    text = "-2+-3\xD7(-1)";
    NormaliserSignes(text, state);
    EXPECT_EQ(text, "-2~3\xD7(-1)");
    text = "12,5%+x%";
    Pourcentages(text, state);
    EXPECT_EQ(text, "0,125+x");
    EXPECT_EQ(state.message, kIncorrect);
}

} // namespace
} // namespace calculator
