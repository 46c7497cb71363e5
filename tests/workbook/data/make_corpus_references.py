#!/usr/bin/python3
"""Writes the reference dumps of the workbook corpus, as independent readers
see it: Debian's python3-xlrd 1.2.0 for .xls, python3-openpyxl 3.0.9 for
.xlsx and python3-pandas 1.5 (on python3-odf) for .ods. One file
corpus/<name>.txt per workbook, in the format of xlsdump:

    sheet<TAB>INDEX<TAB>NAME
    INDEX!REF<TAB>TYPE<TAB>VALUE      (n number, s text, b boolean, e error)
    error<TAB>CODE                    (the sentence is left out: it names the path)

Formula cells are written as their cached results, dates as their serial
numbers. Texts of length zero count as empty cells. Lines starting with '#'
are comments.

The workbooks are the .xls files of xls-corpus/ and of biff-corpus/ (written
by make_biff_corpus.py), the .xlsx and .ods files of xls-corpus/other-formats/
and of xml-corpus/ (written by make_xml_corpus.py).

Where this reader differs from xlrd on purpose, DEVIATIONS below gives the
lines expected instead and the reason; the reason goes into the reference
file too, above the expected lines, with xlrd's own view kept as comments.

Run with Debian's Python (the one with python3-xlrd, -openpyxl, -pandas):
    /usr/bin/python3 make_corpus_references.py
"""
import datetime
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
    whichever is shorter, fixed on a tie (as C++ std::to_chars does; its
    fixed form of a whole number has all the number's digits)."""
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
        # to_chars writes a large whole number with all its digits, not
        # the shortest digits padded with zeros.
        fixed = str(abs(int(x)))
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
            for c, ctype in enumerate(sheet.row_types(r)):
                if ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    continue
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


def openpyxl_lines(path):
    """What openpyxl reads with data_only=True (cached formula results). Its
    turning date-formatted numbers into datetimes is switched off, so that the
    serial numbers stay exactly as stored."""
    import openpyxl
    import openpyxl.worksheet._reader as sheet_reader
    from openpyxl.utils.datetime import to_excel
    from openpyxl.worksheet.worksheet import Worksheet

    sheet_reader.from_excel = lambda value, *args, **kwargs: value
    book = openpyxl.load_workbook(path, data_only=True)
    sheets = [ws for ws in book.worksheets if isinstance(ws, Worksheet)]
    lines = ["sheet\t%d\t%s" % (i, escape(ws.title)) for i, ws in enumerate(sheets)]
    for index, ws in enumerate(sheets):
        for (r, c) in sorted(ws._cells):
            cell = ws._cells[(r, c)]
            v = cell.value
            ref = "%d!%s" % (index, cell.coordinate)
            if v is None or v == "":
                continue
            if isinstance(v, bool):
                lines.append("%s\tb\t%d" % (ref, 1 if v else 0))
            elif isinstance(v, (int, float)):
                lines.append("%s\tn\t%s" % (ref, dump_number(float(v))))
            elif isinstance(v, (datetime.datetime, datetime.date)):
                lines.append("%s\tn\t%s" % (ref, dump_number(float(to_excel(v, book.epoch)))))
            elif cell.data_type == "e":
                lines.append("%s\te\t%s" % (ref, escape(v)))
            else:
                lines.append("%s\ts\t%s" % (ref, escape(str(v))))
    return lines, "openpyxl %s opens it" % openpyxl.__version__


def pandas_lines(path):
    """The cell grid of pandas' OpenDocument reader (the one under
    read_excel(engine="odf")), dates counted from 1899-12-30."""
    import pandas
    from pandas.io.excel._odfreader import ODFReader

    reader = ODFReader(path)
    lines = ["sheet\t%d\t%s" % (i, escape(n)) for i, n in enumerate(reader.sheet_names)]
    null_date = pandas.Timestamp(1899, 12, 30)
    for index in range(len(reader.sheet_names)):
        grid = reader.get_sheet_data(reader.get_sheet_by_index(index), False)
        for r, row in enumerate(grid):
            for c, v in enumerate(row):
                ref = "%d!%s" % (index, xlrd.cellname(r, c))
                if isinstance(v, str):
                    if v:
                        lines.append("%s\ts\t%s" % (ref, escape(v)))
                elif isinstance(v, bool):
                    lines.append("%s\tb\t%d" % (ref, 1 if v else 0))
                elif isinstance(v, pandas.Timestamp):
                    lines.append("%s\tn\t%s" % (ref, dump_number((v - null_date) / pandas.Timedelta(days=1))))
                elif isinstance(v, datetime.time):
                    seconds = v.hour * 3600 + v.minute * 60 + v.second + v.microsecond / 1e6
                    lines.append("%s\tn\t%s" % (ref, dump_number(seconds / 86400)))
                elif isinstance(v, float) and math.isnan(v):
                    continue
                else:
                    lines.append("%s\tn\t%s" % (ref, dump_number(float(v))))
    return lines, "pandas %s opens it" % pandas.__version__


READER_NAMES = {}


def workbooks():
    """(name, path, reader) of every corpus workbook."""
    out = []
    for folder, suffixes in (("xls-corpus", (".xls",)), (os.path.join("xls-corpus", "other-formats"), (".xlsx", ".ods")),
                             ("xml-corpus", (".xlsx", ".ods")), ("biff-corpus", (".xls",))):
        full = os.path.join(HERE, folder)
        for name in sorted(os.listdir(full)):
            suffix = os.path.splitext(name)[1].lower()
            if suffix in suffixes:
                reader = {".xls": xlrd_lines, ".xlsx": openpyxl_lines, ".ods": pandas_lines}[suffix]
                out.append((name, os.path.join(full, name), reader))
    READER_NAMES.update({xlrd_lines: "xlrd " + xlrd.__VERSION__, openpyxl_lines: "openpyxl", pandas_lines: "pandas"})
    return out


def main():
    out_dir = os.path.join(HERE, "corpus")
    os.makedirs(out_dir, exist_ok=True)
    names = workbooks()
    for name, path, reader in names:
        lines, note = reader(path)
        header = ["# %s as read by %s (make_corpus_references.py); %s" % (name, READER_NAMES[reader], note)]
        if name in DEVIATIONS:
            expected, reason = DEVIATIONS[name]
            short = READER_NAMES[reader].split()[0]
            header.append("# Differs from %s on purpose: %s" % (short, reason))
            header += ["# %s: %s" % (short, line) for line in lines]
            lines = expected
        with open(os.path.join(out_dir, name + ".txt"), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(header + lines) + "\n")
    print("%d reference files written to %s" % (len(names), out_dir))


if __name__ == "__main__":
    main()
