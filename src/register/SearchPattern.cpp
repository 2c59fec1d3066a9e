#include "register/SearchPattern.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "money/DateText.h"
#include "platform/TextCase.h"
#include "platform/TextTrim.h"

namespace ledgora {
namespace {

bool isOperator(char c) {
    return c == '&' || c == ';' || c == '^' || c == '|';
}

// The whole text as a number, or nothing.
std::optional<double> wholeNumber(std::string_view s) {
    s = platform::trimSpaces(s);
    if (s.empty()) {
        return std::nullopt;
    }
    const char* first = s.data();
    if (*first == '+') {
        ++first;
    }
    double v = 0;
    const auto r = std::from_chars(first, s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::size_t utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
}

template <typename T> int compare(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view text) {
    // Iterative matching with one remembered star: linear in practice, never recursive.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t pl = utf8Length(static_cast<unsigned char>(pattern[p]));
            const std::size_t tl = utf8Length(static_cast<unsigned char>(text[t]));
            if (pattern[p] == '?') {
                p += 1;
                t = std::min(text.size(), t + tl);
                continue;
            }
            if (pl == tl && pattern.substr(p, pl) == text.substr(t, tl)) {
                p += pl;
                t += tl;
                continue;
            }
        }
        if (starP == std::string_view::npos) {
            return false;
        }
        p = starP + 1;
        starT = std::min(text.size(), starT + utf8Length(static_cast<unsigned char>(text[starT])));
        t = starT;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

SearchPattern::SearchPattern(std::string_view pattern, bool caseSensitive)
    : caseSensitive_(caseSensitive) {
    // Spaces next to the operators go; the rest of the pattern is kept as typed.
    const std::string_view text = platform::trimSpaces(pattern);
    std::string cleaned;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') {
            std::size_t j = i;
            while (j < text.size() && text[j] == ' ') {
                ++j;
            }
            const bool beforeOp = j < text.size() && isOperator(text[j]);
            const bool afterOp = !cleaned.empty() && isOperator(cleaned.back());
            if (beforeOp || afterOp) {
                i = j - 1;
                continue;
            }
        }
        cleaned.push_back(text[i]);
    }
    bool orNext = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= cleaned.size(); ++i) {
        if (i < cleaned.size() && !isOperator(cleaned[i])) {
            continue;
        }
        std::string_view part = std::string_view(cleaned).substr(start, i - start);
        Condition c;
        c.orWithPrevious = orNext;
        for (const char* op : {">=", "<=", ">", "<"}) {
            const std::string_view o(op);
            if (part.substr(0, o.size()) == o) {
                c.op = o;
                part.remove_prefix(o.size());
                break;
            }
        }
        if (c.op.empty() && !part.empty() && part.front() == '!') {
            c.negated = true;
            part.remove_prefix(1);
        }
        c.operand = part;
        conditions_.push_back(std::move(c));
        if (i < cleaned.size()) {
            orNext = cleaned[i] != '&';
        }
        start = i + 1;
    }
}

bool SearchPattern::holds(const Condition& c, std::string_view cell) const {
    if (c.op.empty()) {
        const bool m = caseSensitive_
                           ? wildcardMatch(c.operand, cell)
                           : wildcardMatch(platform::foldCase(c.operand), platform::foldCase(cell));
        return m != c.negated;
    }
    int order = 0;
    const auto a = wholeNumber(cell);
    const auto b = wholeNumber(c.operand);
    const auto da = parseDate(cell);
    const auto db = parseDate(c.operand);
    if (a && b) {
        order = compare(*a, *b);
    } else if (da && db) {
        order = compare(da->serial(), db->serial());
    } else if (caseSensitive_) {
        order = compare(std::string_view(cell), std::string_view(c.operand));
    } else {
        order = compare(platform::foldCase(cell), platform::foldCase(c.operand));
    }
    if (c.op == ">") {
        return order > 0;
    }
    if (c.op == ">=") {
        return order >= 0;
    }
    if (c.op == "<") {
        return order < 0;
    }
    return order <= 0;
}

bool SearchPattern::matches(std::string_view cell) const {
    bool result = false;
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
        const bool h = holds(conditions_[i], cell);
        if (i == 0) {
            result = h;
        } else if (conditions_[i].orWithPrevious) {
            result = result || h;
        } else {
            result = result && h;
        }
    }
    return result;
}

} // namespace ledgora
