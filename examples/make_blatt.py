#!/usr/bin/python3
"""Writes examples/blatt.xls, the example workbook of the program, and the
same workbook as blatt.xlsx, blatt.ods and blatt.csv.

All four data types stand side by side in the front sheet "Daten"; row 1
holds the column titles, the data start in row 2 and every column ends with
an empty cell. A second sheet "Hinweise" says where the data stand (the .csv
holds the front sheet only, as a spreadsheet saves it: separated by ";" with
decimal commas, in Windows-1252). Needs Debian's python3-xlwt,
python3-openpyxl and python3-odf.

    /usr/bin/python3 examples/make_blatt.py [output.xls]
"""
import statistics
import sys
from pathlib import Path

import openpyxl
import xlwt
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableCell, TableRow
from odf.text import P

# Body length in cm of herring caught in two fishing grounds.
ATLANTIK = [24.3, 25.1, 23.8, 26.0, 24.9, 25.6, 23.5, 24.7, 25.9, 24.1, 26.4, 25.2, 24.0, 25.5]
PAZIFIK = [23.1, 22.8, 24.0, 23.6, 22.5, 23.9, 24.4, 22.9, 23.3, 24.1, 23.0, 23.7]

# Body weight in g of the herring of two hauls, grouped in 10 g classes:
# class midpoint and number of fish.
KLASSEN_1 = [(85, 2), (95, 5), (105, 9), (115, 14), (125, 11), (135, 7), (145, 3), (155, 1)]
KLASSEN_2 = [(85, 1), (95, 3), (105, 6), (115, 10), (125, 13), (135, 9), (145, 5), (155, 2)]

# Systolic blood pressure in mmHg of 12 patients before and after treatment.
VORHER = [152, 148, 160, 141, 155, 163, 149, 158, 145, 151, 166, 157]
NACHHER = [143, 145, 149, 140, 146, 150, 147, 149, 141, 146, 155, 150]


def summary(values):
    """Mean, standard deviation, size, maximum, minimum, as the program reads them."""
    return [round(statistics.mean(values), 2), round(statistics.stdev(values), 2), len(values),
            max(values), min(values)]


NOTES = [
    "Die Daten stehen spaltenweise in der vorderen Tabelle \"Daten\".",
    "Einzelne Werte: A2:A15 und B2:B13",
    "Klassengruppen: D2:E9 und G2:H9",
    "Xquer-S-N: J2:J6 und K2:K6",
    "Wertepaare: M2:N13",
]
WIDTHS = [(0, 14), (1, 13), (3, 18), (4, 9), (6, 18), (7, 9), (8, 11), (9, 9), (10, 9), (12, 14), (13, 15)]


def columns():
    """(column, title, values) of the front sheet."""
    return [
        (0, "Atlantik (cm)", ATLANTIK),
        (1, "Pazifik (cm)", PAZIFIK),
        (3, "Klassenmitte 1 (g)", [m for m, _ in KLASSEN_1]),
        (4, "Anzahl 1", [f for _, f in KLASSEN_1]),
        (6, "Klassenmitte 2 (g)", [m for m, _ in KLASSEN_2]),
        (7, "Anzahl 2", [f for _, f in KLASSEN_2]),
        (8, "Kennwert", ["Mittelwert", "Std.-Abw.", "Umfang", "Maximum", "Minimum"]),
        (9, "Atlantik", summary(ATLANTIK)),
        (10, "Pazifik", summary(PAZIFIK)),
        (12, "vorher (mmHg)", VORHER),
        (13, "nachher (mmHg)", NACHHER),
    ]


def grid():
    """The front sheet as rows of cells (None where empty)."""
    height = 1 + max(len(values) for _, _, values in columns())
    rows = [[None] * 14 for _ in range(height)]
    for col, title, values in columns():
        rows[0][col] = title
        for row, value in enumerate(values, start=1):
            rows[row][col] = value
    return rows


def write_xls(out):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Daten")
    bold = xlwt.easyxf("font: bold on")
    for col, title, values in columns():
        sheet.write(0, col, title, bold)
        for row, value in enumerate(values, start=1):
            sheet.write(row, col, value)
    for col, width in WIDTHS:
        sheet.col(col).width = width * 256
    notes = book.add_sheet("Hinweise")
    for row, line in enumerate(NOTES):
        notes.write(row, 0, line)
    book.active_sheet = 0
    book.save(str(out))


def write_xlsx(out):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Daten"
    for r, cells in enumerate(grid(), start=1):
        for c, value in enumerate(cells, start=1):
            if value is not None:
                sheet.cell(row=r, column=c, value=value)
    notes = book.create_sheet("Hinweise")
    for r, line in enumerate(NOTES, start=1):
        notes.cell(row=r, column=1, value=line)
    book.save(str(out))


def write_ods(out):
    doc = OpenDocumentSpreadsheet()
    for name, rows in (("Daten", grid()), ("Hinweise", [[line] for line in NOTES])):
        table = Table(name=name)
        for cells in rows:
            row = TableRow()
            for value in cells:
                if value is None:
                    row.addElement(TableCell())
                elif isinstance(value, str):
                    cell = TableCell(valuetype="string")
                    cell.addElement(P(text=value))
                    row.addElement(cell)
                else:
                    cell = TableCell(valuetype="float", value=repr(value))
                    cell.addElement(P(text=str(value).replace(".", ",")))
                    row.addElement(cell)
            table.addElement(row)
        doc.spreadsheet.addElement(table)
    doc.save(str(out))


def write_csv(out):
    def text(value):
        if value is None:
            return ""
        return value if isinstance(value, str) else str(value).replace(".", ",")
    lines = [";".join(text(v) for v in cells) for cells in grid()]
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("blatt.xls")
    write_xls(out)
    write_xlsx(out.with_suffix(".xlsx"))
    write_ods(out.with_suffix(".ods"))
    write_csv(out.with_suffix(".csv"))


if __name__ == "__main__":
    main()
