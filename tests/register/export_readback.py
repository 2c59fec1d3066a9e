#!/usr/bin/python3
"""Reads the register's ".xls" and ".doc" exports back with independent readers and
compares them with the cells and alignments they were written from.

  export_readback.py xls FILE.xls EXPECTED.json     (python3-xlrd)
  export_readback.py doc FILE.doc EXPECTED.json     (unrtf --html)
  export_readback.py soffice DIR                    (LibreOffice, when soffice is there)

EXPECTED.json: {"cells": [[text, ...], ...], "align": [["left"|"center"|"right", ...], ...],
"fixed_rows": n}, the grid's shown cells in UTF-8 as the register holds them. The soffice
form reads the golden files of DIR (tests/data/register/export): the cells from
register.csv, the alignments from register.htm; it converts register.xls to CSV and
register.doc to text and to HTML with LibreOffice and compares. Prints "ok" and exits 0
when everything matches; else prints each difference and exits 1 (77 for soffice when
LibreOffice is not installed).
"""
import csv
import html
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

SHEET_ROWS = 65536
CELL_CHARS = 32767
XLS_ALIGN = {1: "left", 2: "center", 3: "right"}


def in_cp1252(text):
    return text.encode("cp1252", errors="replace").decode("cp1252")


def lf(text):
    return text.replace("\r\n", "\n")


def expected_sheets(cells, fixed_rows):
    """The worksheets a grid becomes: 65,536 rows each, the next ones captions first."""
    sheets = [cells[:SHEET_ROWS]]
    rest = cells[SHEET_ROWS:]
    while rest:
        room = SHEET_ROWS - fixed_rows
        sheets.append(cells[:fixed_rows] + rest[:room])
        rest = rest[room:]
    return sheets


def compare(label, got, want, problems, limit=20):
    if got != want and len(problems) < limit:
        problems.append("%s: got %r, want %r" % (label, got, want))


def check_xls(path, expected):
    import xlrd

    cells = [[lf(in_cp1252(t))[:CELL_CHARS] for t in row] for row in expected["cells"]]
    aligns = expected["align"]
    book = xlrd.open_workbook(path, formatting_info=True)
    problems = []
    want_sheets = expected_sheets(cells, expected["fixed_rows"])
    want_aligns = expected_sheets(aligns, expected["fixed_rows"])
    compare("sheets", book.nsheets, len(want_sheets), problems)
    for k, sheet in enumerate(book.sheets()[: len(want_sheets)]):
        compare("sheet %d name" % k, sheet.name, "Feuil%d" % (k + 1), problems)
        want = want_sheets[k]
        width = max((len(r) for r in want), default=0)
        # xlrd counts the rows and columns up to the last one holding a cell.
        used_rows = max((r + 1 for r, row in enumerate(want) if any(row)), default=0)
        used_columns = max((c + 1 for row in want for c, t in enumerate(row) if t), default=0)
        compare("sheet %d size" % k, (sheet.nrows, sheet.ncols), (used_rows, used_columns),
                problems)
        for r in range(min(sheet.nrows, len(want))):
            for c in range(min(sheet.ncols, width)):
                cell = sheet.cell(r, c)
                text = want[r][c]
                where = "sheet %d cell %d,%d" % (k, r, c)
                if text:
                    compare(where + " type", cell.ctype, xlrd.XL_CELL_TEXT, problems)
                    compare(where, cell.value, text, problems)
                    xf = book.xf_list[cell.xf_index]
                    got = XLS_ALIGN.get(xf.alignment.hor_align, "general")
                    compare(where + " alignment", got, want_aligns[k][r][c], problems)
                else:
                    compare(where, cell.ctype, xlrd.XL_CELL_EMPTY, problems)
    return problems


def unrtf_cells(path):
    """The table cells of unrtf's HTML, in order, as (text, alignment)."""
    out = subprocess.run(["unrtf", "--html", path], capture_output=True, check=True).stdout
    page = out.decode("utf-8")
    cells = []
    for body in re.findall(r"<td>(.*?)</td>", page, re.S):
        align = "left"
        if "<center>" in body:
            align = "center"
        elif 'align="right"' in body:
            align = "right"
        text = re.sub(r"<br>\n?", "\n", body)
        text = re.sub(r"<[^>]*>", "", text).strip("\n")
        cells.append((html.unescape(text), align))
    return cells


def check_doc(path, expected):
    cells = [[lf(in_cp1252(t)) for t in row] for row in expected["cells"]]
    width = max((len(r) for r in cells), default=0)
    got = unrtf_cells(path)
    problems = []
    compare("cells", len(got), len(cells) * width, problems)
    for i, (text, align) in enumerate(got[: len(cells) * width]):
        r, c = divmod(i, width)
        compare("cell %d,%d" % (r, c), text, cells[r][c], problems)
        # An empty paragraph shows no alignment.
        if cells[r][c]:
            compare("cell %d,%d alignment" % (r, c), align, expected["align"][r][c], problems)
    return problems


def golden_alignments(folder):
    """The align attribute of each td of the golden HTML, row by row."""
    with open(os.path.join(folder, "register.htm"), encoding="cp1252") as f:
        page = f.read()
    rows = []
    for row in re.findall(r"<tr>(.*?)</tr>", page, re.S):
        tds = re.findall(r"<td([^>]*)>", row)
        rows.append([re.search(r'align="(\w+)"', td).group(1) if "align" in td else "left"
                     for td in tds])
    return rows


def check_soffice(folder):
    soffice = shutil.which("soffice")
    if soffice is None:
        print("soffice is not installed: skipped")
        return None
    with open(os.path.join(folder, "register.csv"), encoding="cp1252", newline="") as f:
        cells = [row for row in csv.reader(f, delimiter=";")]
    aligns = golden_alignments(folder)
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, HOME=tmp)
        for name, target in (("register.xls", "csv:Text - txt - csv (StarCalc):44,34,76"),
                             ("register.doc", "txt:Text (encoded):UTF8"),
                             ("register.doc", "html")):
            subprocess.run([soffice, "--headless", "--convert-to", target, "--outdir", tmp,
                            os.path.join(folder, name)], env=env, check=True,
                           capture_output=True)
        with open(os.path.join(tmp, "register.csv"), encoding="utf-8", newline="") as f:
            sheet = [row for row in csv.reader(f)]
        compare("rows of the spreadsheet", len(sheet), len(cells), problems)
        for r, (got, want) in enumerate(zip(sheet, cells)):
            compare("spreadsheet row %d" % r, got, want, problems)
        with open(os.path.join(tmp, "register.txt"), encoding="utf-8-sig") as f:
            text = f.read()
        # Writer's text export puts each table cell on its own line, then the paragraph
        # that follows the table.
        want_text = "".join(cell + "\n" for row in cells for cell in row) + "\n"
        compare("text of the document", text, want_text, problems)
        with open(os.path.join(tmp, "register.html"), encoding="utf-8") as f:
            page = f.read()
        got_aligns = re.findall(r'<td[^>]*><p align="(\w+)"', page)
        width = len(cells[0]) if cells else 0
        compare("paragraphs of the document", len(got_aligns), len(cells) * width, problems)
        for i, align in enumerate(got_aligns[: len(cells) * width]):
            r, c = divmod(i, width)
            if cells[r][c]:
                compare("document cell %d,%d alignment" % (r, c), align, aligns[r][c], problems)
    return problems


def main(argv):
    if len(argv) == 3 and argv[1] == "soffice":
        problems = check_soffice(argv[2])
        if problems is None:
            return 77
    elif len(argv) == 4 and argv[1] in ("xls", "doc"):
        with open(argv[3], encoding="utf-8") as f:
            expected = json.load(f)
        check = check_xls if argv[1] == "xls" else check_doc
        problems = check(argv[2], expected)
    else:
        print(__doc__)
        return 2
    for p in problems:
        print(p)
    if problems:
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
