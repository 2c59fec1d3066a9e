#include "builder/CsvValue.h"

namespace trellisk {
namespace {

constexpr char kQuote = '"';

bool startsQuoted(std::string_view line, std::size_t position, char separator) {
    if (separator == kQuote || position >= line.size()) {
        return false;
    }
    if (line[position] == kQuote) {
        return true;
    }
    return position > 0 && line[position] == ' ' && position + 1 < line.size() &&
           line[position + 1] == kQuote;
}

} // namespace

std::string csvValue(std::string_view value, char separator) {
    const bool quoted =
        separator != kQuote &&
        (value.find_first_of(std::string{separator, '\r', '\n'}) != std::string_view::npos ||
         (!value.empty() && value.front() == kQuote));
    if (!quoted) {
        return std::string(value);
    }
    std::string out;
    out.reserve(value.size() + 2);
    out.push_back(kQuote);
    for (const char c : value) {
        if (c == kQuote) {
            out.push_back(kQuote);
        }
        out.push_back(c);
    }
    out.push_back(kQuote);
    return out;
}

CsvToken readCsvValue(std::string_view line, std::size_t position, char separator) {
    CsvToken token;
    const std::size_t n = line.size();
    std::size_t i = position;
    if (!startsQuoted(line, position, separator)) {
        while (i < n) {
            const char c = line[i++];
            if (i == n) {
                break;
            }
            if (c == separator) {
                token.text.assign(line.substr(position, i - 1 - position));
                token.next = i;
                return token;
            }
        }
        token.text.assign(line.substr(position, i - position));
        token.next = n;
        token.lastOfLine = true;
        return token;
    }
    if (line[i] == ' ') {
        token.text.push_back(' ');
        ++i;
    }
    ++i; // the opening quote
    bool closed = false;
    while (i < n) {
        const char c = line[i];
        if (c == kQuote) {
            if (i + 1 < n && line[i + 1] == kQuote) {
                token.text.push_back(kQuote);
                i += 2;
                continue;
            }
            ++i;
            closed = true;
            break;
        }
        token.text.push_back(c);
        ++i;
    }
    if (!closed) {
        token.next = n;
        token.lastOfLine = true;
        token.open = true;
        return token;
    }
    while (i < n && line[i] != separator) {
        token.text.push_back(line[i++]);
    }
    // The separator after a quoted value only separates: a last one starts no value.
    token.next = i < n ? i + 1 : n;
    token.lastOfLine = token.next >= n;
    return token;
}

bool endsInsideQuotes(std::string_view line, char separator) {
    std::size_t position = 0;
    while (position < line.size()) {
        const CsvToken token = readCsvValue(line, position, separator);
        if (token.open) {
            return true;
        }
        if (token.lastOfLine) {
            break;
        }
        position = token.next;
    }
    return false;
}

} // namespace trellisk
