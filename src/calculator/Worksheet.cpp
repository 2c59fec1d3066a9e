#include "calculator/Worksheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calculator/NumberText.h"
#include "calculator/PageTape.h"
#include "money/FrancEuro.h"
#include "platform/TextTrim.h"

namespace calculator {

namespace {

// Byte offset of the character `column` of a UTF-8 line (its end when beyond).
std::size_t byteOffset(const std::string& line, int column) {
    std::size_t i = 0;
    for (int c = 0; c < column && i < line.size(); ++c) {
        ++i;
        while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) {
            ++i;
        }
    }
    return i;
}

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool isTapeOperator(std::string_view text) {
    return text == "\\" || text == "÷" || text == "×" || text == "-" || text == "+" || text == "^";
}

// Decodes UTF-8 into characters, for typing a string key by key.
std::vector<char32_t> characters(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i) {
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

Worksheet::Worksheet() {
    zeroVariables();
}

void Worksheet::setPage(const std::string& text) {
    lines_ = splitPage(text);
    setCaret(caretLine_, caretColumn_);
}

std::string Worksheet::page() const {
    return joinPage(lines_);
}

void Worksheet::setCaret(int line, int column) {
    caretLine_ = std::clamp(line, 0, static_cast<int>(lines_.size()) - 1);
    caretColumn_ =
        std::clamp(column, 0, characterCount(lines_[static_cast<std::size_t>(caretLine_)]));
}

void Worksheet::zeroVariables() {
    variables_.fill("0");
}

bool Worksheet::switchMode(DisplayMode mode) {
    if (mode == mode_) {
        return false;
    }
    mode_ = mode;
    if (!pageEmpty()) {
        std::vector<std::string> converted =
            mode == DisplayMode::Tape ? pageToTape(lines_) : tapeToPage(lines_);
        lines_ = converted.empty() ? std::vector<std::string>{std::string()} : converted;
    }
    setCaret(0, 0);
    return true;
}

KeyDecision Worksheet::filterKey(char32_t key, DisplayMode mode, int caretColumn) {
    switch (key) {
    case U' ':
        return {KeyDecision::Kind::Refuse, {}};
    case U'=':
    case U'\r':
    case U'\n':
        return {KeyDecision::Kind::Compute, {}};
    default:
        break;
    }
    std::string text = key == U'.' ? "," : key == U'/' ? "÷" : key == U'*' ? "×" : utf8(key);
    return {KeyDecision::Kind::Insert, keypadText(text, mode, caretColumn)};
}

KeyDecision Worksheet::filterVariableKey(char32_t key) {
    if (key == U'\r' || key == U'\n') {
        return {KeyDecision::Kind::Compute, {}};
    }
    return {KeyDecision::Kind::Insert, key == U'.' ? std::string(",") : utf8(key)};
}

std::optional<std::string> Worksheet::insertionWarning(int length, int lineNumber) {
    if (length < kInsertionThreshold) {
        return std::nullopt;
    }
    const std::string line = std::to_string(lineNumber);
    if (length > 253) {
        return "La ligne " + line + " comporte " + std::to_string(length) + " caractères " +
               "(maximum autorisé : 255). Le résultat risque de n'avoir aucun sens.";
    }
    return "Attention, il ne reste que " + std::to_string(255 - length) +
           " caractères disponibles sur la ligne " + line + " pour afficher le résultat." +
           " Demandez le résultat maintenant ou effacez les derniers caractères" +
           " et faites des calculs intermédiaires.";
}

std::optional<std::string> Worksheet::insertionWarning() const {
    return insertionWarning(characterCount(lines_[static_cast<std::size_t>(caretLine_)]),
                            caretLine_ + 1);
}

std::string Worksheet::keypadText(std::string_view text, DisplayMode mode, int caretColumn) {
    if (mode == DisplayMode::Tape && caretColumn > 0 && isTapeOperator(text)) {
        return "\n" + std::string(text);
    }
    return std::string(text);
}

void Worksheet::insert(std::string_view text) {
    std::string& line = lines_[static_cast<std::size_t>(caretLine_)];
    const std::size_t at = byteOffset(line, caretColumn_);
    const std::string after = line.substr(at);
    line.erase(at);
    const std::vector<std::string> pieces = splitPage(std::string(text));
    line += pieces[0];
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        lines_.insert(lines_.begin() + caretLine_ + static_cast<int>(i), pieces[i]);
    }
    caretLine_ += static_cast<int>(pieces.size()) - 1;
    std::string& last = lines_[static_cast<std::size_t>(caretLine_)];
    caretColumn_ = characterCount(last);
    last += after;
}

std::vector<ComputeOutcome> Worksheet::type(std::string_view keys) {
    std::vector<ComputeOutcome> outcomes;
    for (const char32_t key : characters(keys)) {
        const KeyDecision decision = filterKey(key);
        if (decision.kind == KeyDecision::Kind::Compute) {
            outcomes.push_back(compute());
        } else if (decision.kind == KeyDecision::Kind::Insert) {
            insert(decision.text);
        }
    }
    return outcomes;
}

std::optional<std::string> Worksheet::pressKeypad(std::string_view text) {
    if (auto warning = insertionWarning()) {
        return warning;
    }
    insert(keypadText(text, mode_, caretColumn_));
    return std::nullopt;
}

void Worksheet::refill(const std::vector<std::string>& pageLines) {
    lines_ = mode_ == DisplayMode::Tape ? pageToTape(pageLines) : pageLines;
    if (lines_.empty()) {
        lines_.emplace_back();
    }
}

ComputeOutcome Worksheet::compute() {
    ComputeOutcome outcome;
    bool syntax = false;
    const int remembered = caretLine_;
    std::vector<std::string> tampon = mode_ == DisplayMode::Tape ? tapeToPage(lines_) : lines_;

    std::array<double, 10> values{};
    for (std::size_t i = 0; i < variables_.size(); ++i) {
        // Blanks typed around a value are not part of it.
        const std::string_view typed = platform::trimSpaces(variables_[i]);
        if (typed.empty()) {
            variables_[i] = "0";
            values[i] = 0.0;
            continue;
        }
        const auto value = parseNumber(typed, ',');
        if (!value) {
            outcome.beep = true;
            outcome.status = {"La valeur de la variable " + std::string(1, kLetters[i]) +
                                  " est incorrecte.",
                              true};
            outcome.badVariable = static_cast<int>(i);
            refill(tampon);
            setCaret(caretLine_, caretColumn_);
            return outcome;
        }
        values[i] = *value;
    }
    outcome.status = {"ok", false};

    EvaluerOptions options;
    options.decimalSeparator = ',';
    options.random = random_;
    for (std::size_t i = 0; i < tampon.size(); ++i) {
        std::string& line = tampon[i];
        if (line.starts_with('=')) {
            line.clear();
            continue;
        }
        if (line.empty()) {
            continue;
        }
        const std::string expression = line.substr(0, line.find('='));
        const EvaluerResult r = Evaluer(expression, kLetters, values, syntax, options);
        const bool failed = r.message != "ok" || syntax;
        line = expression + "=" + (failed ? std::string("?") : formatResult(r.value));
        if (failed) {
            outcome.beep = true;
            refill(tampon);
            outcome.errorLine = static_cast<int>(i);
            for (std::size_t k = 0; k < lines_.size(); ++k) {
                if (lines_[k].find('?') != std::string::npos) {
                    outcome.errorLine = static_cast<int>(k);
                    break;
                }
            }
            outcome.status = {
                std::string(syntax ? "Erreur de syntaxe en ligne " : "Erreur en ligne ") +
                    std::to_string(outcome.errorLine + 1) + " : " + r.message,
                true};
            setCaret(outcome.errorLine, 0);
            return outcome;
        }
    }
    refill(tampon);

    // The caret goes after the line it was on, onto a fresh empty line when that was the
    // last one; in tape mode the result is one line lower.
    const int last = static_cast<int>(lines_.size()) - 1;
    const int line = std::min(remembered + (mode_ == DisplayMode::Tape ? 1 : 0), last);
    if (line == last && !lines_.back().empty()) {
        lines_.emplace_back();
        setCaret(last + 1, 0);
    } else {
        setCaret(line, characterCount(lines_[static_cast<std::size_t>(line)]));
        outcome.restoreScroll = true;
    }
    return outcome;
}

std::optional<std::string> Worksheet::previousResult() const {
    const int start = std::min(caretLine_ + 1, static_cast<int>(lines_.size()) - 1);
    for (int i = start; i >= 0; --i) {
        const std::string& line = lines_[static_cast<std::size_t>(i)];
        const std::size_t at = line.find('=');
        if (at != std::string::npos && at + 1 < line.size()) {
            return line.substr(at + 1);
        }
    }
    return std::nullopt;
}

bool Worksheet::convertResult(Currency to) {
    const std::string text = previousResult().value_or(lines_.front());
    const auto value = parseNumber(text, ',');
    if (!value) {
        return false;
    }
    const double converted = to == Currency::Francs ? *value * ledgora::kFrancsPerEuro
                                                    : ledgora::francsToEuros(*value).euros;
    const std::string line = "=" + formatResult(converted);
    // A page ending with a line break keeps it after the new line.
    if (lines_.size() > 1 && lines_.back().empty()) {
        lines_.insert(lines_.end() - 1, line);
    } else {
        lines_.push_back(line);
    }
    return true;
}

void Worksheet::clear() {
    lines_.assign(1, std::string());
    setCaret(0, 0);
}

} // namespace calculator
