#!/usr/bin/python3
"""Writes the reader's own test workbooks with Debian's python3-xlwt, and next
to each the dump that xlsdump must print for it (<name>.xls.txt), made from
the values written here, not by reading the file back.

    fixture-cells.xls    numbers of all kinds, texts (umlauts, Cyrillic, an
                         emoji, tab, CR, LF, backslash, a 10 000-character
                         text and 600 texts that push the shared-string table
                         across several CONTINUE records), booleans, errors,
                         dates, formatted blank cells and an empty text.
    fixture-sheets.xls   four sheets: "Erste", "Versteckt" (hidden), "Daten"
                         (the active one, in front), "Ganz versteckt" (very
                         hidden).

Run from this folder with Debian's Python:
    /usr/bin/python3 make_fixtures.py
"""
import datetime
import os

import xlwt

from make_corpus_references import dump_number, escape

HERE = os.path.dirname(os.path.abspath(__file__))

# Error codes as stored in the file ([MS-XLS] BErr) and their texts. Codes, not
# texts, are handed to xlwt: its own text table maps "#VALUE!" to #NUM!'s code.
ERROR_TEXT = {0x00: "#NULL!", 0x07: "#DIV/0!", 0x0F: "#VALUE!", 0x17: "#REF!",
              0x1D: "#NAME?", 0x24: "#NUM!", 0x2A: "#N/A"}


def cell_name(row, col):
    letters = ""
    col += 1
    while col:
        col, rem = divmod(col - 1, 26)
        letters = chr(ord("A") + rem) + letters
    return "%s%d" % (letters, row + 1)


class Recorder:
    """Writes cells into an xlwt sheet and remembers the expected dump lines."""

    def __init__(self, sheet, index):
        self.sheet = sheet
        self.index = index
        self.cells = {}

    def write(self, row, col, kind, value, style=None):
        args = (row, col, value) if style is None else (row, col, value, style)
        if kind == "e":
            self.sheet.row(row).set_cell_error(col, value)
        else:
            self.sheet.write(*args)
        if kind == "n":
            text = dump_number(float(value))
        elif kind == "d":
            kind, text = "n", dump_number(value_as_serial(value))
        elif kind == "b":
            text = "1" if value else "0"
        elif kind == "e":
            text = ERROR_TEXT[value]
        else:
            text = escape(value)
        if kind == "s" and value == "":
            return  # an empty text is an empty cell
        self.cells[(row, col)] = "%d!%s\t%s\t%s" % (self.index, cell_name(row, col), kind, text)

    def lines(self):
        return [self.cells[k] for k in sorted(self.cells)]


def value_as_serial(d):
    # Serial numbers of the 1900 date system (day 1 = 1900-01-01, with the
    # fictitious 1900-02-29 counted), as the workbook stores them.
    delta = d - datetime.datetime(1899, 12, 30)
    return delta.days + delta.seconds / 86400.0


def make_cells():
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Größen")
    rec = Recorder(sheet, 0)
    rec.write(0, 0, "s", "Länge (cm)")
    rec.write(0, 1, "s", "Gewicht")
    numbers = [0, 1, -3, 42, 0.1, -2.5, 1e300, 1e-5, 123456.789, 2 ** 40,
               1e15, -1e16, 3.141592653589793, 100000000.25]
    for i, v in enumerate(numbers):
        rec.write(1 + i, 0, "n", v)
    rec.write(1, 2, "b", True)
    rec.write(2, 2, "b", False)
    for i, code in enumerate(sorted(ERROR_TEXT)):
        rec.write(1 + i, 3, "e", code)
    texts = ["Tab\tCR\rLF\nBackslash\\", "МОСКВА Москва", "Sushi \U0001F363", "Straße, Öl, Ähre",
             ""]
    for i, t in enumerate(texts):
        rec.write(1 + i, 4, "s", t)
    rec.write(0, 5, "s", "".join(chr(ord("a") + i % 26) for i in range(10000)))
    # 600 texts, alternating Latin-1 and Cyrillic, so that the table crosses
    # record boundaries inside texts of both widths.
    for i in range(600):
        t = ("Wert %d äöü" % i) if i % 2 else ("Значение %d" % i)
        rec.write(1 + i, 6, "s", t)
    date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
    rec.write(1, 7, "d", datetime.datetime(2000, 1, 1), date_style)
    rec.write(2, 7, "d", datetime.datetime(1999, 12, 31, 18, 0), date_style)
    # Formatted but empty cells far out: they must not count towards the size.
    shaded = xlwt.easyxf("pattern: pattern solid, fore_colour yellow")
    sheet.write(700, 20, None, shaded)
    sheet.write(5, 9, None, shaded)
    book.save(os.path.join(HERE, "fixture-cells.xls"))
    header = ["# Written by make_fixtures.py together with fixture-cells.xls",
              "sheet\t0\tGrößen"]
    return header + rec.lines()


def make_sheets():
    book = xlwt.Workbook(encoding="utf-8")
    names = ["Erste", "Versteckt", "Daten", "Ganz versteckt"]
    lines = ["# Written by make_fixtures.py together with fixture-sheets.xls; "
             "sheet 2 'Daten' is in front, 1 hidden, 3 very hidden"]
    cells = []
    for index, name in enumerate(names):
        sheet = book.add_sheet(name)
        lines.append("sheet\t%d\t%s" % (index, name))
        rec = Recorder(sheet, index)
        rec.write(0, 0, "s", "Blatt %d" % (index + 1))
        rec.write(index + 1, index, "n", index + 0.5)
        cells += rec.lines()
    book.get_sheet(1).visibility = 1
    book.get_sheet(3).visibility = 2
    book.get_sheet(0).set_selected(False)
    book.get_sheet(2).set_selected(True)
    book.set_active_sheet(2)
    book.save(os.path.join(HERE, "fixture-sheets.xls"))
    return lines + cells


def main():
    for name, lines in (("fixture-cells.xls", make_cells()), ("fixture-sheets.xls", make_sheets())):
        with open(os.path.join(HERE, name + ".txt"), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
    print("fixtures written to", HERE)


if __name__ == "__main__":
    main()
