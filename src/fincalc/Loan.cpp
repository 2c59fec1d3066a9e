#include "fincalc/Loan.h"

#include <array>
#include <cmath>

#include "calculator/Evalueur.h"
#include "calculator/NumberText.h"
#include "fincalc/CalculatorInput.h"
#include "fincalc/Checked.h"

namespace fincalc {

namespace {

const FormTexts kTexts{
    "Plan d'amortissement d'un crédit",
    {"la mensualité à payer", "la somme empruntable", "le taux annuel", "la durée du crédit"},
    {"Somme à emprunter", "Taux annuel", "Durée", "Mensualité"},
    {"la somme à emprunter", "le taux", "la durée", "la mensualité"},
    {DurationUnit::Months, DurationUnit::Years},
    DurationUnit::Months,
    {"Somme à emprunter :", "Taux annuel :", "Durée :", "Mensualité :", "Somme des intérêts :",
     "Somme à rembourser :"},
    {"Mois", "Capital", "Intérêts", "Reste à payer"},
    {110, 110, 110, 112},
    "Impossible !",
    Severity::Warning,
};

// The equation's value at x; a failed evaluation counts with the evaluator's error value.
double equationAt(const std::string& equation, double x) {
    static constexpr std::array<char, 1> kLetters{'x'};
    const std::array<double, 1> values{x};
    bool syntaxError = false;
    return calculator::Evaluer(equation, kLetters, values, syntaxError).value;
}

bool sameSignOrZero(Checked a, Checked b) {
    return (a * b).value() <= 0;
}

} // namespace

Loan::Loan() : SolverForm(kTexts) {}

const FormTexts& Loan::formTexts() {
    return kTexts;
}

std::string rateEquation(double amount, double payment, long long months) {
    const std::string p = calculator::formatGeneral(payment, '.');
    return "-" + p + "+(" + p + "-x×" + calculator::formatGeneral(amount, '.') + ")×(1+x)^" +
           std::to_string(months);
}

std::optional<double> searchMonthlyRate(double amount, double payment, long long months) {
    const std::string equation = rateEquation(amount, payment, months);
    double lo = 0.0000001;
    double hi = 1;
    try {
        if (!sameSignOrZero(equationAt(equation, lo), equationAt(equation, hi))) {
            return std::nullopt;
        }
        const int halvings = static_cast<int>(std::trunc(std::log2(1e10 * (hi - lo)))) + 1;
        for (int i = 0; i < halvings; ++i) {
            const double mid = (lo + hi) / 2;
            const Checked fMid = equationAt(equation, mid);
            const Checked fLo = equationAt(equation, lo);
            const Checked fHi = equationAt(equation, hi);
            if (sameSignOrZero(fLo, fMid)) {
                hi = mid;
            }
            if (sameSignOrZero(fHi, fMid)) {
                lo = mid;
            }
        }
    } catch (const ArithmeticFailure&) {
        return std::nullopt;
    }
    return (lo + hi) / 2;
}

void Loan::solve(Field solved, const Given& given, DurationUnit unit) {
    double amount = given.principal;
    double payment = given.fourth;
    long long months = given.periods;
    Checked q = Checked(given.rate) / 12 / 100;
    switch (solved) {
    case Field::Fourth: {
        const Checked f = power(1 + q, months);
        payment = (amount * q / (1 - 1 / f)).value();
        setAmount(rowOf(Field::Fourth), 1, payment);
        break;
    }
    case Field::Principal: {
        const Checked f = power(1 + q, months);
        amount = ((1 - 1 / f) * payment / q).value();
        setAmount(rowOf(Field::Principal), 1, amount);
        break;
    }
    case Field::Rate: {
        const auto rate = searchMonthlyRate(amount, payment, months);
        if (!rate) {
            throw ArithmeticFailure{};
        }
        q = *rate;
        setAmount(rowOf(Field::Rate), 1, (q * 1200).value());
        cells().set(rowOf(Field::Rate), 1, cells().at(rowOf(Field::Rate), 1) + " %");
        break;
    }
    case Field::Duration:
        months = wholePeriods((-(ln(1 - amount * q / payment) / ln(1 + q))).value());
        cells().set(rowOf(Field::Duration), 1,
                    solvedDurationText(months, unit, DurationUnit::Months));
        break;
    }
    fillSchedule(amount, q.value(), months, payment);
}

void Loan::fillSchedule(double amount, double q, long long months, double payment) {
    const int first = cells().rowCount();
    addPeriodRows(months);
    const Checked perRate = Checked(payment) / q;
    Checked growth = 1.0;
    Checked balance = amount;
    Checked total = 0.0;
    for (long long k = 1; k <= months; ++k) {
        const Checked interest = balance * q;
        // The balance after k payments from the closed formula, so that rounding does not
        // pile up from one month to the next.
        growth = growth * (1 + q);
        balance = growth * (amount - perRate) + perRate;
        total = total + interest;
        const int row = first + static_cast<int>(k) - 1;
        setAmount(row, 1, (payment - interest).value());
        setAmount(row, 2, interest.value());
        if (balance.value() <= 0.01) {
            balance = 0.0;
        }
        setAmount(row, 3, balance.value());
    }
    setAmount(4, 1, total.value());
    setAmount(5, 1, (amount + total).value());
}

} // namespace fincalc
