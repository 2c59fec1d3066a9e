#include "money/DateText.h"

#include <climits>
#include <cstdio>

#include "platform/TextTrim.h"

namespace ledgora {
namespace {

// Reads 1 to `maxDigits` digits at text[i]; advances i.
std::optional<int> readNumber(std::string_view text, std::size_t& i, std::size_t maxDigits) {
    const std::size_t start = i;
    int v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < maxDigits) {
        v = v * 10 + (text[i] - '0');
        ++i;
    }
    if (i == start) {
        return std::nullopt;
    }
    return v;
}

} // namespace

bool isValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

long Date::serial() const {
    // Days from civil (H. Hinnant's algorithm), shifted so that 0001-01-01 is 0.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<long>(era) * 146097 + doe - 306;
}

std::optional<Date> parseDate(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    const auto day = readNumber(text, i, 2);
    if (!day || i >= text.size() || text[i] != '/') {
        return std::nullopt;
    }
    ++i;
    const auto month = readNumber(text, i, 2);
    if (!month || i >= text.size() || text[i] != '/') {
        return std::nullopt;
    }
    ++i;
    const std::size_t yearStart = i;
    auto year = readNumber(text, i, 4);
    if (!year) {
        return std::nullopt;
    }
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    if (i - yearStart <= 2) {
        *year += 2000;
    }
    if (!isValidDate(*year, *month, *day)) {
        return std::nullopt;
    }
    return Date{*year, *month, *day};
}

std::optional<Date> parseTypedDate(std::string_view text) {
    text = platform::trimSpaces(text);
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        const auto digits = [&](std::size_t at, std::size_t n) {
            int v = 0;
            for (std::size_t k = at; k < at + n; ++k) {
                v = v * 10 + (text[k] - '0');
            }
            return v;
        };
        const Date date{digits(4, 4), digits(2, 2), digits(0, 2)};
        if (!isValidDate(date.year, date.month, date.day)) {
            return std::nullopt;
        }
        return date;
    }
    return parseDate(text);
}

std::string formatDate(const Date& date) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buf;
}

std::string formatDate(const platform::DateTime& at) {
    return formatDate(Date{at.year, at.month, at.day});
}

long dateSortKey(std::string_view text) {
    const auto date = parseDate(text);
    return date ? date->serial() : LONG_MIN;
}

} // namespace ledgora
