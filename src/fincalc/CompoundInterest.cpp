#include "fincalc/CompoundInterest.h"

#include "fincalc/CalculatorInput.h"
#include "fincalc/Checked.h"

namespace fincalc {

namespace {

const FormTexts kTexts{
    "Placement à intérêts composés",
    {"le capital final", "le capital initial", "le taux annuel", "la durée du placement"},
    {"Capital initial", "Taux annuel", "Durée", "Capital final"},
    {"le capital initial", "le taux", "la durée", "le capital final"},
    {DurationUnit::Months, DurationUnit::Years},
    DurationUnit::Months,
    {"Capital initial :", "Taux annuel :", "Durée :", "Capital final :", "Intérêts acquis :", ""},
    {"Mois", "Capital"},
    {223, 219},
    "Dépassement de capacité !",
    Severity::Error,
};

} // namespace

CompoundInterest::CompoundInterest() : SolverForm(kTexts) {}

const FormTexts& CompoundInterest::formTexts() {
    return kTexts;
}

void CompoundInterest::solve(Field solved, const Given& given, DurationUnit unit) {
    Checked capital = given.principal;
    Checked q = Checked(given.rate) / 100 / 12;
    long long months = given.periods;
    Checked final = given.fourth;
    switch (solved) {
    case Field::Fourth:
        final = capital * power(1 + q, months);
        setAmount(rowOf(Field::Fourth), 1, final.value());
        break;
    case Field::Principal:
        capital = final / power(1 + q, months);
        setAmount(rowOf(Field::Principal), 1, capital.value());
        break;
    case Field::Rate:
        q = exp(ln(final / capital) / static_cast<double>(months)) - 1;
        setAmount(rowOf(Field::Rate), 1, (q * 1200).value());
        cells().set(rowOf(Field::Rate), 1, cells().at(rowOf(Field::Rate), 1) + " %");
        break;
    case Field::Duration:
        months = wholePeriods((ln(final / capital) / ln(1 + q)).value());
        cells().set(rowOf(Field::Duration), 1,
                    solvedDurationText(months, unit, DurationUnit::Months));
        break;
    }
    setAmount(4, 1, (final - capital).value());
    const int first = cells().rowCount();
    addPeriodRows(months);
    Checked growth = 1.0;
    for (long long k = 0; k < months; ++k) {
        growth = growth * (1 + q);
        setAmount(first + static_cast<int>(k), 1, (capital * growth).value());
    }
}

} // namespace fincalc
