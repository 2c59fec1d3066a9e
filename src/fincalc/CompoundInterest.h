// The compound-interest placement: initial capital, annual rate compounded every month,
// duration in months and final capital, one solved from the three others, and the value
// of the placement at the end of each month (rows 8 on: month, capital).
#pragma once

#include "fincalc/SolverForm.h"

namespace fincalc {

class CompoundInterest : public SolverForm {
public:
    CompoundInterest();

    static const FormTexts& formTexts();

protected:
    void solve(Field solved, const Given& given, DurationUnit unit) override;
};

} // namespace fincalc
