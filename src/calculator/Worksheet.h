// The calculator's worksheet: the page of lines with its caret, the ten variables, the
// display mode and the decimals, and every rule of computing, typing and the keypad. The
// window shows this model and hands user actions to it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/DecimalsSetting.h"
#include "calculator/Evalueur.h"

namespace calculator {

enum class DisplayMode { Page = 0, Tape = 1 };
enum class Currency { Francs, Euros };

struct StatusLine {
    std::string text = "Prêt";
    bool error = false; // red, else green
};

struct ComputeOutcome {
    StatusLine status;
    bool beep = false;
    int badVariable = -1;       // the box to focus with its text selected
    int errorLine = -1;         // the page line to select
    bool restoreScroll = false; // scroll back to the first line that was visible
};

// What a key typed in the page does.
struct KeyDecision {
    enum class Kind { Insert, Refuse, Compute };
    Kind kind = Kind::Insert;
    std::string text; // to insert at the caret; may begin with a line break
};

class Worksheet {
public:
    static constexpr std::array<char, 10> kLetters = {'x', 'y', 'z', 't', 'm',
                                                      'n', 'p', 'q', 'r', 's'};
    static constexpr int kInsertionThreshold = 240;

    Worksheet();

    // The page, lines cut at line breaks; an empty page is one empty line.
    void setPage(const std::string& text);
    std::string page() const;
    const std::vector<std::string>& lines() const { return lines_; }
    bool pageEmpty() const { return lines_.size() == 1 && lines_[0].empty(); }

    // Caret, 0-based line and column in characters; clamped to the page.
    void setCaret(int line, int column);
    int caretLine() const { return caretLine_; }
    int caretColumn() const { return caretColumn_; }

    // The variable boxes' texts, x y z t m n p q r s.
    std::array<std::string, 10>& variables() { return variables_; }
    const std::array<std::string, 10>& variables() const { return variables_; }
    void zeroVariables();

    DecimalsSetting& decimals() { return decimals_; }
    const DecimalsSetting& decimals() const { return decimals_; }
    std::string formatResult(double value) const { return decimals_.format(value); }

    DisplayMode mode() const { return mode_; }
    // Sets the mode without converting the page (a page read from a file).
    void setMode(DisplayMode mode) { mode_ = mode; }
    // Converts a non-empty page to the other display and puts the caret at the start;
    // false when the mode was already that one.
    bool switchMode(DisplayMode mode);

    void setRandomSource(RandomSource random) { random_ = std::move(random); }

    // Typing in the page: spaces refused, "." "/" "*" turned into "," "÷" "×", "=" and
    // Enter (CR or LF) compute; in tape mode an operator typed after the start of a line
    // begins a new line.
    static KeyDecision filterKey(char32_t key, DisplayMode mode, int caretColumn);
    KeyDecision filterKey(char32_t key) const { return filterKey(key, mode_, caretColumn_); }
    // Typing in a variable box: "." becomes ",", Enter computes.
    static KeyDecision filterVariableKey(char32_t key);

    // The warning a keypad insertion gets on a line of `length` characters (line number
    // 1-based), or nothing when it may insert.
    static std::optional<std::string> insertionWarning(int length, int lineNumber);
    std::optional<std::string> insertionWarning() const;
    // What a keypad button inserts: its text, after a line break for an operator in tape
    // mode when the caret is not at the start of its line.
    static std::string keypadText(std::string_view text, DisplayMode mode, int caretColumn);

    // Inserts at the caret and moves the caret after the text.
    void insert(std::string_view text);
    // Types each character of `keys` as the page's key filter handles it.
    std::vector<ComputeOutcome> type(std::string_view keys);
    // A keypad button: the insertion warning, or the text inserted. Nothing for a refusal.
    std::optional<std::string> pressKeypad(std::string_view text);

    // "=": recomputes every line of the page, stopping at the first line in error.
    ComputeOutcome compute();

    // The previous result ("&R"): the text after "=" of the nearest line at or above the
    // line below the caret that holds "=" before its last character.
    std::optional<std::string> previousResult() const;
    // The two conversion buttons: a new last line "=" + the converted previous result (or
    // first line). False when there is nothing readable to convert.
    bool convertResult(Currency to);
    // "&C": an empty page.
    void clear();

private:
    void refill(const std::vector<std::string>& pageLines);

    std::vector<std::string> lines_{std::string()};
    int caretLine_ = 0;
    int caretColumn_ = 0;
    std::array<std::string, 10> variables_;
    DecimalsSetting decimals_;
    DisplayMode mode_ = DisplayMode::Page;
    RandomSource random_;
};

} // namespace calculator
