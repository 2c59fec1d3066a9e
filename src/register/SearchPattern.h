// The pattern language of the find dialog: conditions joined left to right by "&" (and)
// or ";", "^", "|" (or); a condition compares (">", ">=", "<", "<=") as numbers, dates or
// text, or matches a wildcard pattern ("*" any run, "?" one character, "!" first negates).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ledgora {

class SearchPattern {
public:
    // `caseSensitive`: text comparisons and wildcards respect case.
    SearchPattern(std::string_view pattern, bool caseSensitive);

    bool matches(std::string_view cell) const;

private:
    struct Condition {
        bool orWithPrevious = false;
        std::string op; // ">", ">=", "<", "<=", or empty for a wildcard pattern
        bool negated = false;
        std::string operand;
    };
    bool holds(const Condition& c, std::string_view cell) const;

    std::vector<Condition> conditions_;
    bool caseSensitive_;
};

// Wildcard matching of the whole text, character by character (UTF-8 aware).
bool wildcardMatch(std::string_view pattern, std::string_view text);

} // namespace ledgora
