#include "fincalc/Checked.h"

#include <cmath>

namespace fincalc {

Checked::Checked(double value) : value_(value) {
    if (!std::isfinite(value)) {
        throw ArithmeticFailure{};
    }
}

Checked operator/(Checked a, Checked b) {
    if (b.value_ == 0) {
        throw ArithmeticFailure{};
    }
    return {a.value_ / b.value_};
}

Checked ln(Checked x) {
    if (x.value() <= 0) {
        throw ArithmeticFailure{};
    }
    return {std::log(x.value())};
}

Checked exp(Checked x) {
    return {std::exp(x.value())};
}

Checked power(Checked base, long long n) {
    Checked result = 1.0;
    for (long long i = 0; i < n; ++i) {
        result = result * base;
    }
    return result;
}

} // namespace fincalc
