// Dates as the grids hold them: "dd/mm/yyyy".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace ledgora {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
    // Days since 1 January of year 1 (proleptic Gregorian); orders dates.
    long serial() const;
};

// Reads "d/m/yyyy" (one or two digits for day and month; a two-digit year means 20yy).
// Nothing when the text is not a real calendar date.
std::optional<Date> parseDate(std::string_view text);

// A date as the user types it into a date cell, taken as a whole: "dd/mm/yyyy", "d/m/yyyy"
// (what parseDate() reads) or the eight digits "ddmmyyyy". Nothing when the text is not
// a real calendar date: a date is never adjusted to the nearest one that exists.
std::optional<Date> parseTypedDate(std::string_view text);

// What the date editor says when it refuses a text parseTypedDate() cannot read.
inline constexpr const char* kBadTypedDate =
    "Date incorrecte. Tapez-la sous la forme jj/mm/aaaa, j/m/aaaa ou jjmmaaaa.";

// "dd/mm/yyyy".
std::string formatDate(const Date& date);
std::string formatDate(const platform::DateTime& at);

bool isValidDate(int year, int month, int day);

// A key that sorts dates; empty or unreadable text sorts before every date.
long dateSortKey(std::string_view text);

} // namespace ledgora
