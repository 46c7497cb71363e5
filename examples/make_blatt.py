#!/usr/bin/python3
"""Writes examples/blatt.xls, the example workbook of the program.

All four data types stand side by side in the front sheet "Daten"; row 1
holds the column titles, the data start in row 2 and every column ends with
an empty cell. Needs Debian's python3-xlwt.

    /usr/bin/python3 examples/make_blatt.py [output.xls]
"""
import statistics
import sys
from pathlib import Path

import xlwt

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


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("blatt.xls")
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Daten")
    bold = xlwt.easyxf("font: bold on")

    def column(col, title, values):
        sheet.write(0, col, title, bold)
        for row, value in enumerate(values, start=1):
            sheet.write(row, col, value)

    column(0, "Atlantik (cm)", ATLANTIK)
    column(1, "Pazifik (cm)", PAZIFIK)
    column(3, "Klassenmitte 1 (g)", [m for m, _ in KLASSEN_1])
    column(4, "Anzahl 1", [f for _, f in KLASSEN_1])
    column(6, "Klassenmitte 2 (g)", [m for m, _ in KLASSEN_2])
    column(7, "Anzahl 2", [f for _, f in KLASSEN_2])
    column(8, "Kennwert", ["Mittelwert", "Std.-Abw.", "Umfang", "Maximum", "Minimum"])
    column(9, "Atlantik", summary(ATLANTIK))
    column(10, "Pazifik", summary(PAZIFIK))
    column(12, "vorher (mmHg)", VORHER)
    column(13, "nachher (mmHg)", NACHHER)
    for col, width in [(0, 14), (1, 13), (3, 18), (4, 9), (6, 18), (7, 9), (8, 11), (9, 9), (10, 9), (12, 14), (13, 15)]:
        sheet.col(col).width = width * 256

    notes = book.add_sheet("Hinweise")
    for row, line in enumerate([
        "Die Daten stehen spaltenweise in der vorderen Tabelle \"Daten\".",
        "Einzelne Werte: A2:A15 und B2:B13",
        "Klassengruppen: D2:E9 und G2:H9",
        "Xquer-S-N: J2:J6 und K2:K6",
        "Wertepaare: M2:N13",
    ]):
        notes.write(row, 0, line)

    book.active_sheet = 0
    book.save(str(out))


if __name__ == "__main__":
    main()
