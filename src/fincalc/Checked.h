// Double arithmetic that refuses to leave the finite range: a division by zero, an invalid
// operation (0/0, the logarithm of zero or of a negative number) or an overflow throws
// ArithmeticFailure, so no infinity or NaN ever reaches a result grid.
#pragma once

namespace fincalc {

// Thrown by Checked; the calculators catch it and show their failure message.
struct ArithmeticFailure {};

class Checked {
public:
    // Throws when `value` is not finite. Implicit, so that formulas read as written.
    Checked(double value); // NOLINT(google-explicit-constructor)

    double value() const { return value_; }

    friend Checked operator+(Checked a, Checked b) { return {a.value_ + b.value_}; }
    friend Checked operator-(Checked a, Checked b) { return {a.value_ - b.value_}; }
    friend Checked operator*(Checked a, Checked b) { return {a.value_ * b.value_}; }
    // Throws when `b` is zero, whatever `a` is.
    friend Checked operator/(Checked a, Checked b);
    Checked operator-() const { return {-value_}; }

private:
    double value_;
};

// Natural logarithm; throws for zero or a negative argument.
Checked ln(Checked x);
// e^x; throws when the result overflows.
Checked exp(Checked x);
// base^n by n successive multiplications (1 when n <= 0), each one checked.
Checked power(Checked base, long long n);

} // namespace fincalc
