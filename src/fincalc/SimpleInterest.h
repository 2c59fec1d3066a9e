// The simple-interest placement: initial capital, annual rate, duration in days (a month
// counting 30 on a 360-day year) and interest earned, one solved from the three others,
// and the value of the placement day by day (rows 8 on: day, capital).
#pragma once

#include "fincalc/SolverForm.h"

namespace fincalc {

class SimpleInterest : public SolverForm {
public:
    SimpleInterest();

    static const FormTexts& formTexts();

protected:
    void solve(Field solved, const Given& given, DurationUnit unit) override;
};

} // namespace fincalc
