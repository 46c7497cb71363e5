#!/usr/bin/python3
"""Writes the reference dumps of the .xls corpus, as an independent reader
sees it: Debian's python3-xlrd 1.2.0. One file corpus/<name>.txt per workbook,
in the format of xlsdump:

    sheet<TAB>INDEX<TAB>NAME
    INDEX!REF<TAB>TYPE<TAB>VALUE      (n number, s text, b boolean, e error)
    error<TAB>CODE                    (the sentence is left out: it names the path)

Formula cells are written as their cached results, dates as their serial
numbers. Texts of length zero count as empty cells. Lines starting with '#'
are comments.

Where this reader differs from xlrd on purpose, DEVIATIONS below gives the
lines expected instead and the reason; the reason goes into the reference
file too, above the expected lines, with xlrd's own view kept as comments.

Run with Debian's Python (the one with python3-xlrd):
    /usr/bin/python3 make_corpus_references.py [CORPUS_DIR]
CORPUS_DIR defaults to the folder xls-corpus beside this script.
"""
import decimal
import math
import os
import sys

import xlrd
from xlrd.biffh import error_text_from_code
from xlrd.compdoc import CompDocError

HERE = os.path.dirname(os.path.abspath(__file__))

OLD_EXCEL = ("xlrd reads bare Excel 2.x-4.0 streams; this reader refuses them "
             "(for now) with a request to save the file as an Excel 97-2003 workbook.")

DEVIATIONS = {
    "sheetjs_crlf_CRLFX5_2.XLS": (["error\tnot-a-workbook"], OLD_EXCEL),
    "xlrd_biff4_no_format_no_window2.xls": (["error\tnot-a-workbook"], OLD_EXCEL),
}


def dump_number(x):
    """Integral values below 1e15 as integers, others as the shortest text
    that reads back to the same double: fixed or scientific notation,
    whichever is shorter, fixed on a tie (as C++ std::to_chars does)."""
    if math.isnan(x):
        return "nan"
    if math.isinf(x):
        return "inf" if x > 0 else "-inf"
    if abs(x) < 1e15 and x == int(x):
        return str(int(x))
    sign, digits, exp = decimal.Decimal(repr(x)).as_tuple()
    digits = "".join(map(str, digits))
    stripped = digits.rstrip("0")
    exp += len(digits) - len(stripped)
    digits = stripped
    n = len(digits)
    e10 = exp + n - 1
    mantissa = digits[0] + ("." + digits[1:] if n > 1 else "")
    scientific = "%se%s%02d" % (mantissa, "-" if e10 < 0 else "+", abs(e10))
    if exp >= 0:
        fixed = digits + "0" * exp
    elif -exp < n:
        fixed = digits[:n + exp] + "." + digits[n + exp:]
    else:
        fixed = "0." + "0" * (-exp - n) + digits
    best = fixed if len(fixed) <= len(scientific) else scientific
    return ("-" if sign else "") + best


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\r", "\\r").replace("\n", "\\n"))


def xlrd_lines(path):
    try:
        book = xlrd.open_workbook(path)
    except CompDocError as e:
        return ["error\tdamaged"], "xlrd: CompDocError: %s" % e
    except xlrd.XLRDError as e:
        if "encrypted" in str(e):
            return ["error\tencrypted"], "xlrd: XLRDError: %s" % e
        return ["error\tnot-a-workbook"], "xlrd: XLRDError: %s" % e
    lines = []
    sheets = book.sheets()
    for index, sheet in enumerate(sheets):
        lines.append("sheet\t%d\t%s" % (index, escape(sheet.name)))
    for index, sheet in enumerate(sheets):
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                ref = "%d!%s" % (index, xlrd.cellname(r, c))
                if cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
                    lines.append("%s\tn\t%s" % (ref, dump_number(cell.value)))
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    if cell.value != "":
                        lines.append("%s\ts\t%s" % (ref, escape(cell.value)))
                elif cell.ctype == xlrd.XL_CELL_BOOLEAN:
                    lines.append("%s\tb\t%d" % (ref, 1 if cell.value else 0))
                elif cell.ctype == xlrd.XL_CELL_ERROR:
                    lines.append("%s\te\t%s" % (ref, error_text_from_code[cell.value]))
    return lines, "xlrd %s opens it" % xlrd.__VERSION__


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "xls-corpus")
    out_dir = os.path.join(HERE, "corpus")
    os.makedirs(out_dir, exist_ok=True)
    names = sorted(n for n in os.listdir(corpus) if n.lower().endswith(".xls"))
    for name in names:
        lines, note = xlrd_lines(os.path.join(corpus, name))
        header = ["# %s as read by xlrd %s (make_corpus_references.py); %s"
                  % (name, xlrd.__VERSION__, note)]
        if name in DEVIATIONS:
            expected, reason = DEVIATIONS[name]
            header.append("# Differs from xlrd on purpose: " + reason)
            header += ["# xlrd: " + line for line in lines]
            lines = expected
        with open(os.path.join(out_dir, name + ".txt"), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(header + lines) + "\n")
    print("%d reference files written to %s" % (len(names), out_dir))


if __name__ == "__main__":
    main()
