// The loan calculator: amount borrowed, annual rate, duration and constant monthly
// payment, one of them solved from the three others, and the amortisation schedule
// month by month (rows 8 on: month, capital repaid, interest, remaining balance).
#pragma once

#include <optional>
#include <string>

#include "fincalc/SolverForm.h"

namespace fincalc {

class Loan : public SolverForm {
public:
    Loan();

    static const FormTexts& formTexts();

protected:
    void solve(Field solved, const Given& given, DurationUnit unit) override;

private:
    void fillSchedule(double amount, double q, long long months, double payment);
};

// The equation whose root is the monthly rate x of a loan of `amount` repaid by `months`
// payments of `payment`, in the evaluator's symbols: -P+(P-x×A)×(1+x)^n.
std::string rateEquation(double amount, double payment, long long months);

// The monthly rate found by halving [10^-7, 1] 34 times on rateEquation() through the
// evaluator; nothing when the equation has no root in that range or when its values
// overflow.
std::optional<double> searchMonthlyRate(double amount, double payment, long long months);

} // namespace fincalc
