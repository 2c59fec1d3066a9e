// The month or year a breakdown covers: the choices the register offers (long French month
// names, in the order the dates first appear), and the dates a chosen text spans.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "money/DateText.h"
#include "register/Grid.h"
#include "reports/ReportRequest.h"

namespace ledgora {

enum class PeriodUnit { Month, Year };

inline constexpr std::array<std::string_view, 12> kLongMonthNames = {
    "janvier", "février", "mars",      "avril",   "mai",      "juin",
    "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};

// Shown instead of the choice when no row has a date.
inline constexpr const char* kNoDateMessage = "Aucune date trouvée.";

// "Choix d'un mois" or "Choix d'une année".
std::string_view periodChoiceCaption(PeriodUnit unit);

// The unit a breakdown asks for: a month for the one-month reports, a year for the
// one-year reports, none for the others.
std::optional<PeriodUnit> periodUnitOf(PeriodKind kind);

// "mars 2024" for a month, "2024" for a year.
std::string periodText(PeriodUnit unit, const Date& date);

// The texts of the months (or years) of the register's dated rows, each once, in the order
// of the rows (chronological once the register is sorted by date). The chooser preselects
// the last one.
std::vector<std::string> periodChoices(const Grid& reg, PeriodUnit unit);

// The period of a month or year text: from `start` (included) to `end` (excluded).
struct PeriodBounds {
    Date start;
    Date end;
    bool contains(const Date& date) const;
};
// Nothing when the text names no month or year ("mars 2024" and "2024" do).
std::optional<PeriodBounds> periodBounds(PeriodKind kind, std::string_view text);

} // namespace ledgora
