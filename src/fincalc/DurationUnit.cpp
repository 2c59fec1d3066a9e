#include "fincalc/DurationUnit.h"

#include "fincalc/CalculatorInput.h"

namespace fincalc {

std::string_view unitButtonLabel(DurationUnit unit) {
    switch (unit) {
    case DurationUnit::Days:
        return "Jours";
    case DurationUnit::Months:
        return "Mois";
    case DurationUnit::Years:
        break;
    }
    return "Années";
}

std::string_view unitWord(DurationUnit unit, bool singular) {
    switch (unit) {
    case DurationUnit::Days:
        return singular ? " jour" : " jours";
    case DurationUnit::Months:
        return " mois";
    case DurationUnit::Years:
        break;
    }
    return singular ? " année" : " années";
}

int periodsPerUnit(DurationUnit unit, DurationUnit period) {
    if (unit == period) {
        return 1;
    }
    if (period == DurationUnit::Days) {
        return unit == DurationUnit::Months ? 30 : 360;
    }
    // A schedule counts days or months, never years.
    return unit == DurationUnit::Years ? 12 : 1;
}

std::string typedDurationText(std::string_view typed, DurationUnit unit) {
    std::string text(typed);
    text += unitWord(unit, readsAsOne(typed));
    return text;
}

std::string solvedDurationText(long long periods, DurationUnit unit, DurationUnit period) {
    const long long units = periods / periodsPerUnit(unit, period);
    std::string text = std::to_string(units);
    text += unitWord(unit, units == 1);
    return text;
}

} // namespace fincalc
