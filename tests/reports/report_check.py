#!/usr/bin/env python3
"""Recomputes the ten reports of an account on its own and compares them with
`ledgora-cli report`.

It writes a generated account of 10,000 operations over several years (dates out of
order, accents, rows without category or date, rows with both amounts, a January of two
years with nothing between) in the account file format, reads it back with its own
reader, and checks every report: the averages per month and per year, the whole account,
and every month and year of the account, by category and by payment mode.

With an account file as third argument, that account is checked instead of a generated
one (every month and year it holds).

usage: report_check.py LEDGORA_CLI WORK_FOLDER [ACCOUNT.ldg]
"""

import datetime
import os
import random
import re
import subprocess
import sys
import unicodedata
from decimal import Decimal

OPERATIONS = 10_000
COLUMNS = 12
DATE, RUBRIQUE, NOTES, MODE, DEBIT, CREDIT = 2, 4, 5, 6, 7, 8
MONTHS = ["janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août",
          "septembre", "octobre", "novembre", "décembre"]
CATEGORIES = ["Courses", "courses", "Électricité", "Eau", "EDF-GDF", "Loyer", "Salaire",
              "Cinéma", "Téléphone", "L'épicerie", "Santé", "Impôts", "Œuvres", ""]
MODES = ["Carte de crédit", "Chèque", "Espèces", "Prélèvement", "Virement", "", "Dépôt"]


# ---- the generated account -------------------------------------------------------------

def generate(rng):
    """Rows of cells (dicts column -> text), in no particular order."""
    rows = [{DATE: "01/01/2015", RUBRIQUE: "Solde initial", NOTES: "Solde initial",
             CREDIT: "1500.00", 1: "X"}]
    # January of two consecutive years with nothing between: two months.
    rows.append({DATE: "31/01/2015", RUBRIQUE: "Courses", DEBIT: "12.30", MODE: "Chèque"})
    rows.append({DATE: "5/1/2016", RUBRIQUE: "Courses", DEBIT: "7.70", MODE: "Espèces"})
    start = datetime.date(2019, 3, 1)
    for i in range(OPERATIONS - 2):
        day = start + datetime.timedelta(days=rng.randrange(6 * 365))
        row = {}
        shape = rng.random()
        if shape < 0.003:
            pass  # no date: in the averages and the whole account, in no month
        elif shape < 0.05:
            row[DATE] = "%d/%d/%04d" % (day.day, day.month, day.year)
        else:
            row[DATE] = day.strftime("%d/%m/%Y")
        row[RUBRIQUE] = rng.choice(CATEGORIES)
        row[MODE] = rng.choice(MODES)
        amount = "%.2f" % (rng.randrange(0, 200000) / 100)
        kind = rng.random()
        if kind < 0.02:
            row[DEBIT] = amount
            row[CREDIT] = "%.2f" % (rng.randrange(0, 5000) / 100)  # the credit wins
        elif kind < 0.03:
            pass  # neither: the key is listed with what it has
        elif kind < 0.75:
            row[DEBIT] = amount
        else:
            row[CREDIT] = amount
        if rng.random() < 0.002:
            row[RUBRIQUE] = "Solde initial"  # counts as no category
        if rng.random() < 0.3:
            row[NOTES] = "Marché, boulangerie"
        rows.append(row)
    rng.shuffle(rows)
    return [{k: v for k, v in row.items() if v != ""} for row in rows]


def write_account(path, rows):
    captions = ["", "Pointage", "Date", "Numéro", "Rubrique", "Notes", "Mode de paiement",
                "Débit", "Crédit", "Solde", "", ""]
    grid = [dict(enumerate(captions))] + rows + [{}]
    lines = ["%d,%d" % (COLUMNS, len(grid))]
    lines += ["cw %d,64" % c for c in range(COLUMNS)]
    for r, row in enumerate(grid):
        row = dict(row)
        if r > 0:
            row[0] = str(r)
        for c in sorted(row):
            if row[c] != "":
                lines.append("%d,%d,%s" % (c, r, row[c]))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


# ---- our own reading of the account file -----------------------------------------------

def read_account(path):
    """The operation rows (lists of cells) of an account file."""
    text = open(path, "rb").read().decode("cp1252")
    lines = text.split("\r\n")
    columns, count = (int(x) for x in lines[0].split(","))
    grid = [[""] * columns for _ in range(count)]
    for line in lines[1:]:
        if not line or line.startswith("cw"):
            continue
        c, r, cell = line.split(",", 2)
        c, r = int(c), int(r)
        if 0 <= c < columns and 0 <= r < count:
            # A cell that held line breaks has them as TAB (CR) and BS (LF).
            grid[r][c] = cell.replace("\t", "\r").replace("\b", "\n")
    return [row + [""] * (COLUMNS - len(row)) for row in grid[1:]]


def parse_date(text):
    try:
        d, m, y = (int(x) for x in text.split("/"))
        return datetime.date(y, m, d)
    except ValueError:
        return None


NUMBER = re.compile(r"\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")


def cents(text):
    """The longest leading number of the text, to the cent, halves away from zero; 0 for
    none and beyond 1e15."""
    match = NUMBER.match(text)
    if not match:
        return 0
    value = Decimal(match.group(0).strip())
    if abs(value) > Decimal(10) ** 15:
        return 0
    hundredths = abs(value) * 100
    whole = int(hundredths)
    if hundredths - whole >= Decimal("0.5"):
        whole += 1
    return -whole if value < 0 else whole


def sort_key(row):
    d = parse_date(row[DATE])
    return d.toordinal() if d else -1


def french_key(text):
    """Case and accents ignored, hyphens and apostrophes too; ties: accents, then case."""
    expanded = text.replace("Œ", "OE").replace("œ", "oe").replace("Æ", "AE").replace("æ", "ae")
    base = "".join(ch for ch in unicodedata.normalize("NFD", expanded)
                   if not unicodedata.combining(ch))
    primary = base.lower().replace("-", "").replace("'", "")
    return (primary, text.lower(), text.encode("utf-8"))


def divide(total, n):
    q, r = divmod(abs(total), n)
    if 2 * r >= n:
        q += 1
    return -q if total < 0 else q


def report(rows, key_column, kind, period=None):
    """(key, total) lines in the window's order, or None for a report without key."""
    totals = {}
    periods, last = 0, None
    for row in rows:
        date = parse_date(row[DATE]) if row[DATE] else None
        if kind in ("month", "year") and date is not None:
            unit = (date.year, date.month) if kind == "month" else date.year
            if unit != last:
                periods, last = periods + 1, unit
        key = row[key_column]
        if key == "Solde initial":
            key = ""
        if key == "" and row[DEBIT] and row[CREDIT]:
            key = "Non affecté"
        if key == "":
            continue
        if kind == "one-month" and (date is None or (date.year, date.month) != period):
            continue
        if kind == "one-year" and (date is None or date.year != period):
            continue
        amount = cents(row[CREDIT]) if row[CREDIT] else -cents(row[DEBIT]) if row[DEBIT] else 0
        totals[key] = totals.get(key, 0) + amount
    if not totals:
        return None
    if kind in ("month", "year") and periods:
        totals = {k: divide(v, periods) for k, v in totals.items()}
    return sorted(totals.items(), key=lambda kv: french_key(kv[0]))


def amount_text(c):
    return "%s%d.%02d" % ("-" if c < 0 else "", abs(c) // 100, abs(c) % 100)


def expected_output(lines):
    out = "".join("%s\t%s\n" % (k, amount_text(v)) for k, v in lines)
    receipts = sum(v for _, v in lines if v >= 0)
    expenses = sum(v for _, v in lines if v < 0)
    return out + "Recettes :\t%s\nDépenses :\t%s\n" % (amount_text(receipts),
                                                     amount_text(expenses))


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    cli, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    if len(sys.argv) == 4:
        account = sys.argv[3]
    else:
        account = os.path.join(work, "Généré.ldg")
        write_account(account, generate(random.Random(14)))

    rows = sorted(read_account(account), key=sort_key)  # stable, as the program's sort
    rows = [r for r in rows if any(r[DATE:DEBIT + 3])]
    dates = [d for d in (parse_date(r[DATE]) for r in rows if r[DATE]) if d]
    months = sorted({(d.year, d.month) for d in dates})
    years = sorted({d.year for d in dates})

    checks = []
    for by, column in (("category", RUBRIQUE), ("mode", MODE)):
        checks.append((by, "average-month", report(rows, column, "month")))
        checks.append((by, "average-year", report(rows, column, "year")))
        checks.append((by, "all", report(rows, column, "all")))
        for y, m in months + [(2017, 6)]:
            checks.append((by, "month:%02d/%d" % (m, y), report(rows, column, "one-month", (y, m))))
        for y in years + [2017]:
            checks.append((by, "year:%d" % y, report(rows, column, "one-year", y)))

    failures = 0
    for by, period, lines in checks:
        run = subprocess.run([cli, "report", account, "--by", by, "--period", period],
                             capture_output=True)
        out, err = run.stdout.decode("utf-8"), run.stderr.decode("utf-8")
        if lines is None:
            message = "Aucune rubrique trouvée.\n" if by == "category" else \
                "Aucun mode de paiment trouvé.\n"
            ok = run.returncode == 1 and out == "" and err == message
        else:
            ok = run.returncode == 0 and out == expected_output(lines) and err == ""
        if not ok:
            failures += 1
            print("MISMATCH --by %s --period %s (status %d)\n%s%s" % (by, period, run.returncode,
                                                                     out, err))
    print("%d reports compared, %d mismatches; %d months, %d years, %d rows"
          % (len(checks), failures, len(months), len(years), len(rows)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
