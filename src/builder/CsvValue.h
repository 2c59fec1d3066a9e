// One value of the builder's CSV text, written and read back. A value that holds the
// separator or a line break, or that starts with a double quote, is written between double
// quotes with its inner quotes doubled; every other value is written as it is, and read as
// it always was: up to the separator, the line's last character belonging to the value
// even when it is the separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trellisk {

// The text the export writes for `value`.
std::string csvValue(std::string_view value, char separator);

struct CsvToken {
    std::string text;
    std::size_t next = 0;    // where the following value starts
    bool lastOfLine = false; // no value follows on this line
    bool open = false;       // a quoted value whose closing quote is not on the line
};

// The value that starts at `position` of `line`. A quoted value starts with a double
// quote, or, after the first value, with one space and a double quote (the export writes
// the separator followed by a space): the space stays, as it stays before every unquoted
// value after the first. After the closing quote, text up to the separator is kept as it
// is. With '"' as the separator nothing is quoted.
CsvToken readCsvValue(std::string_view line, std::size_t position, char separator);

// True when `line` ends inside a quoted value, whose line break then belongs to it.
bool endsInsideQuotes(std::string_view line, char separator);

} // namespace trellisk
