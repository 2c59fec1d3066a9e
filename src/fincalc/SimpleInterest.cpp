#include "fincalc/SimpleInterest.h"

#include "fincalc/CalculatorInput.h"
#include "fincalc/Checked.h"

namespace fincalc {

namespace {

const FormTexts kTexts{
    "Placement à intérêts simples",
    {"les intérêts acquis", "le capital initial", "le taux annuel", "la durée du placement"},
    {"Capital initial", "Taux annuel", "Durée", "Intérêts acquis"},
    {"le capital initial", "le taux", "la durée", "les intérêts acquis"},
    {DurationUnit::Days, DurationUnit::Months},
    DurationUnit::Days,
    {"Capital initial :", "Taux annuel :", "Durée :", "Intérêts acquis :", "", ""},
    {"Jour", "Capital"},
    {223, 219},
    "Dépassement de capacité !",
    Severity::Error,
};

} // namespace

SimpleInterest::SimpleInterest() : SolverForm(kTexts) {}

const FormTexts& SimpleInterest::formTexts() {
    return kTexts;
}

void SimpleInterest::solve(Field solved, const Given& given, DurationUnit unit) {
    Checked capital = given.principal;
    Checked t = Checked(given.rate) / 100;
    long long days = given.periods;
    const Checked interest = given.fourth;
    switch (solved) {
    case Field::Fourth:
        setAmount(rowOf(Field::Fourth), 1, (capital * t * static_cast<double>(days) / 360).value());
        break;
    case Field::Principal:
        capital = 360 * interest / t / static_cast<double>(days);
        setAmount(rowOf(Field::Principal), 1, capital.value());
        break;
    case Field::Rate:
        t = 360 * interest / capital / static_cast<double>(days);
        setAmount(rowOf(Field::Rate), 1, (t * 100).value());
        cells().set(rowOf(Field::Rate), 1, cells().at(rowOf(Field::Rate), 1) + " %");
        break;
    case Field::Duration:
        days = wholePeriods((360 * interest / capital / t).value());
        cells().set(rowOf(Field::Duration), 1, solvedDurationText(days, unit, DurationUnit::Days));
        break;
    }
    const int first = cells().rowCount();
    addPeriodRows(days);
    // The same amount every day: no interest on interest.
    const Checked daily = capital * t / 360;
    Checked value = capital;
    for (long long k = 0; k < days; ++k) {
        value = value + daily;
        setAmount(first + static_cast<int>(k), 1, value.value());
    }
}

} // namespace fincalc
