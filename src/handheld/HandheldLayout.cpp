#include "handheld/HandheldLayout.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "register/RegisterColumns.h"

namespace ledgora::handheld {

std::string registerFileName(std::string_view user, std::string_view account) {
    return std::string(user) + "_" + std::string(account) + ".pdb";
}

std::string parametersFileName(std::string_view user, std::string_view account) {
    return std::string(user) + "_" + std::string(account) + "_params.pdb";
}

std::string withUnderscores(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == ' ') {
            c = '_';
        }
    }
    return out;
}

std::optional<double> numberText(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also read "inf" and "nan", which are not numbers here.
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string normaliseImportedCell(int column, std::string text) {
    if (column < col::Debit) {
        return text;
    }
    if (const std::size_t comma = text.find(','); comma != std::string::npos) {
        text[comma] = '.';
    }
    if (column == col::Debit || column == col::Credit) {
        if (const auto value = numberText(text); value && *value == 0.0) {
            text.clear();
        }
    }
    return text;
}

} // namespace ledgora::handheld
