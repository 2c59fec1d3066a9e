// The units a calculator's duration is typed and shown in, their French words with the
// singular for exactly one, and how many schedule periods (days or months) each holds.
#pragma once

#include <string>
#include <string_view>

namespace fincalc {

enum class DurationUnit { Days, Months, Years };

// The caption of the unit's button: "Jours", "Mois", "Années".
std::string_view unitButtonLabel(DurationUnit unit);

// The word written after a duration, with its leading space: " jour" / " jours",
// " mois" (the same in both), " année" / " années".
std::string_view unitWord(DurationUnit unit, bool singular);

// How many periods of the schedule one unit holds: a month is 30 days where the
// schedule counts days, a year 12 months where it counts months.
int periodsPerUnit(DurationUnit unit, DurationUnit period);

// A typed duration as the grid shows it: the text as typed and the unit's word, singular
// when the text reads as the whole number 1, plural for any other text, an empty one too.
std::string typedDurationText(std::string_view typed, DurationUnit unit);

// A solved duration of `periods` as the grid shows it: the whole number of units it holds
// (the remainder dropped) and the unit's word, singular when that number is 1.
std::string solvedDurationText(long long periods, DurationUnit unit, DurationUnit period);

} // namespace fincalc
