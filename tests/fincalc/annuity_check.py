#!/usr/bin/env python3
"""Checks ledgora-cli loan against the textbook annuity formulas on random loans.

For each loan the payment and the total interest of `--solve payment`, and the annual
rate of `--solve rate` given the payment shown, must match to the centime what this
script computes on its own, with exact decimal arithmetic.

usage: annuity_check.py LEDGORA_CLI [COUNT [SEED]]
"""

import random
import subprocess
import sys
from decimal import ROUND_HALF_UP, Decimal, getcontext

getcontext().prec = 60
CENT = Decimal("0.01")


def to_cents(value):
    return value.quantize(CENT, rounding=ROUND_HALF_UP)


def near_half_cent(value, margin):
    """True when value lies within margin of a rounding boundary, where the last bits of
    a double decide and either neighbour is right."""
    frac = (value * 100) % 1
    return abs(frac - Decimal("0.5")) < margin * 100


def agrees(shown, exact, margin=Decimal("1e-7")):
    if Decimal(shown) == to_cents(exact):
        return True
    return near_half_cent(exact, margin) and abs(Decimal(shown) - exact) <= CENT / 2 + margin


def payment(amount, q, months):
    growth = (1 + q) ** months
    return amount * q * growth / (growth - 1)


def monthly_rate(amount, pay, months):
    """Root of the annuity equation by bisection in exact decimals."""
    lo, hi = Decimal("1e-9"), Decimal(1)
    for _ in range(200):
        mid = (lo + hi) / 2
        if payment(amount, mid, months) > pay:
            hi = mid
        else:
            lo = mid
    return (lo + hi) / 2


def run(cli, *args):
    done = subprocess.run([cli, "loan", *args], capture_output=True, text=True, check=False)
    if done.returncode != 0:
        raise RuntimeError(f"loan {' '.join(args)}: {done.stderr.strip()}")
    rows = [line.split("\t") for line in done.stdout.splitlines()]
    return rows


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 16)
    failures = 0
    for _ in range(count):
        amount = Decimal(rng.randint(50000, 50000000)) / 100
        rate = Decimal(rng.randint(10, 2500)) / 100
        months = rng.randint(1, 480)
        q = rate / 1200
        exact_payment = payment(amount, q, months)
        exact_interest = exact_payment * months - amount

        rows = run(cli, "--solve", "payment", "--amount", str(amount), "--rate", str(rate),
                   "--duration", str(months))
        shown_payment, shown_interest = rows[3][1], rows[4][1]
        if len(rows) != 8 + months:
            failures += 1
            print(f"{amount} at {rate} % over {months}: {len(rows) - 8} schedule rows")
        if not agrees(shown_payment, exact_payment):
            failures += 1
            print(f"{amount} at {rate} % over {months}: payment {shown_payment}, "
                  f"expected {to_cents(exact_payment)} ({exact_payment:.6f})")
        if not agrees(shown_interest, exact_interest):
            failures += 1
            print(f"{amount} at {rate} % over {months}: interest {shown_interest}, "
                  f"expected {to_cents(exact_interest)} ({exact_interest:.6f})")

        # The rate of the loan as repaid by the payment shown, to the hundredth of a percent.
        pay = Decimal(shown_payment)
        exact_rate = monthly_rate(amount, pay, months) * 1200
        rows = run(cli, "--solve", "rate", "--amount", str(amount), "--payment", shown_payment,
                   "--duration", str(months))
        shown_rate = rows[1][1].removesuffix(" %")
        if not agrees(shown_rate, exact_rate, Decimal("1e-6")):
            failures += 1
            print(f"{amount} over {months} at {pay}: rate {shown_rate} %, "
                  f"expected {to_cents(exact_rate)} ({exact_rate:.8f})")
    print(f"{count} loans, {failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
