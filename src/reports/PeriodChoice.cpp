#include "reports/PeriodChoice.h"

#include <charconv>
#include <unordered_set>

#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

std::optional<int> readYear(std::string_view text) {
    int year = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (error != std::errc() || end != text.data() + text.size() || year < 1 || year > 9998) {
        return std::nullopt;
    }
    return year;
}

} // namespace

std::string_view periodChoiceCaption(PeriodUnit unit) {
    return unit == PeriodUnit::Month ? "Choix d'un mois" : "Choix d'une année";
}

std::optional<PeriodUnit> periodUnitOf(PeriodKind kind) {
    switch (kind) {
    case PeriodKind::OneMonth:
        return PeriodUnit::Month;
    case PeriodKind::OneYear:
        return PeriodUnit::Year;
    default:
        return std::nullopt;
    }
}

std::string periodText(PeriodUnit unit, const Date& date) {
    std::string year = std::to_string(date.year);
    if (unit == PeriodUnit::Year) {
        return year;
    }
    return std::string(kLongMonthNames[static_cast<std::size_t>(date.month - 1)]) + ' ' + year;
}

std::vector<std::string> periodChoices(const Grid& reg, PeriodUnit unit) {
    std::vector<std::string> choices;
    std::unordered_set<int> seen;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const auto date = parseDate(reg.at(r, col::Date));
        if (!date) {
            continue;
        }
        const int key = unit == PeriodUnit::Month ? date->year * 12 + date->month - 1 : date->year;
        if (seen.insert(key).second) {
            choices.push_back(periodText(unit, *date));
        }
    }
    return choices;
}

bool PeriodBounds::contains(const Date& date) const {
    const long d = date.serial();
    return start.serial() <= d && d < end.serial();
}

std::optional<PeriodBounds> periodBounds(PeriodKind kind, std::string_view text) {
    if (kind == PeriodKind::OneYear) {
        const auto year = readYear(text);
        if (!year) {
            return std::nullopt;
        }
        return PeriodBounds{{*year, 1, 1}, {*year + 1, 1, 1}};
    }
    if (kind != PeriodKind::OneMonth) {
        return std::nullopt;
    }
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = text.substr(0, space);
    int month = 0;
    for (std::size_t m = 0; m < kLongMonthNames.size(); ++m) {
        if (kLongMonthNames[m] == name) {
            month = static_cast<int>(m) + 1;
        }
    }
    const auto year = readYear(text.substr(space + 1));
    if (month == 0 || !year) {
        return std::nullopt;
    }
    const Date start{*year, month, 1};
    const Date end = month == 12 ? Date{*year + 1, 1, 1} : Date{*year, month + 1, 1};
    return PeriodBounds{start, end};
}

} // namespace ledgora
