#!/usr/bin/python3
"""Writes the reader's own .xlsx and .ods workbooks into xml-corpus/, each
holding what the readers must get right: numbers that need all 17 digits or
are subnormal, texts, booleans, errors, dates, several and hidden sheets,
repeated ODF rows and cells, cached formula results, inline and rich texts.

- zx_openpyxl_*.xlsx and zx_odfpy_*.ods: written by Debian's python3-openpyxl
  and python3-odf as those libraries write workbooks;
- zx_handmade_*.xlsx: parts written here by hand into a ZIP, for what
  openpyxl never writes (cached formula results, shared formulas, inline
  strings, t="d" dates, rows and cells without references, a chart sheet).

The expected dumps are not written here: make_corpus_references.py reads
these files back with openpyxl and pandas, as for every other workbook.

    /usr/bin/python3 make_xml_corpus.py
"""
import datetime
import os
import zipfile

import openpyxl
from odf.opendocument import OpenDocumentSpreadsheet
from odf.style import Style, TableProperties
from odf.table import CoveredTableCell, Table, TableCell, TableRow
from odf.text import P, S

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "xml-corpus")

# Numbers whose nearest double needs every digit, and the edges of the doubles.
HARD_NUMBERS = [0.30000000000000004, 5e-324, 2.2250738585072014e-308, 2.225073858507201e-308,
                1.7976931348623157e308, 123456789012345678.0, 1e23, 1 / 3, -2.5e-10, 9007199254740993.0,
                0.1, 24.3, 23.441666666666666, 4.35, 1e-5, 123.456e10]


def openpyxl_types(path):
    book = openpyxl.Workbook()
    data = book.active
    data.title = "Zahlen und Texte"
    # openpyxl writes 16 digits: the largest double would round beyond it.
    for i, x in enumerate([x for x in HARD_NUMBERS if x < 1e308], start=1):
        data.cell(row=i, column=1, value=x)
        data.cell(row=i, column=2, value=-x)
    texts = ["Größe", "Straße ÄÖÜ äöü ß", "€ 5", "Tab\tund\nZeile", "\U0001F41F Fisch", "  Leerzeichen  ",
             "#N/A als Text?", "=keine Formel"]
    for i, t in enumerate(texts, start=1):
        data.cell(row=i, column=4, value=t)
    data["F1"] = True
    data["F2"] = False
    for i, code in enumerate(["#N/A", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#NULL!"], start=3):
        data.cell(row=i, column=6, value=code)  # openpyxl stores these as error cells
    data["H1"] = datetime.datetime(2013, 2, 26)
    data["H2"] = datetime.datetime(2009, 8, 16, 5, 43, 21)
    data["H3"] = datetime.date(1900, 2, 28)
    data["H4"] = datetime.date(1900, 3, 1)
    data["J30"] = 7  # after empty rows
    data["XFD1048576"] = "die letzte Zelle"
    hidden = book.create_sheet("Versteckt")
    hidden["A1"] = 1.5
    hidden.sheet_state = "hidden"
    second = book.create_sheet("Zweite")
    for r in range(1, 101):
        second.cell(row=r, column=1, value=r * 0.37)
        second.cell(row=r, column=3, value="Zeile %d" % r)
    book.create_sheet("Leer")
    book.active = 2
    book.save(path)


def openpyxl_1904(path):
    book = openpyxl.Workbook()
    book.epoch = openpyxl.utils.datetime.MAC_EPOCH
    sheet = book.active
    sheet.title = "Mac"
    sheet["A1"] = datetime.datetime(2001, 1, 1, 12, 0)
    sheet["A2"] = 3.25
    book.save(path)


def odfpy_types(path):
    doc = OpenDocumentSpreadsheet()
    hidden_style = Style(name="taHidden", family="table")
    hidden_style.addElement(TableProperties(display="false"))
    doc.automaticstyles.addElement(hidden_style)

    def text_cell(text, **attributes):
        cell = TableCell(valuetype="string", **attributes)
        p = P()
        # Runs of blanks are written as <text:s text:c="n"/>, as ODF wants.
        parts = text.split("   ")
        for i, part in enumerate(parts):
            if i:
                p.addElement(S(c=3))
            p.addText(part)
        cell.addElement(p)
        return cell

    def number_cell(x, valuetype="float", **attributes):
        cell = TableCell(valuetype=valuetype, value=repr(x), **attributes)
        cell.addElement(P(text=repr(x)))
        return cell

    data = Table(name="Daten")
    for x in HARD_NUMBERS:
        row = TableRow()
        row.addElement(number_cell(x))
        row.addElement(TableCell())
        row.addElement(number_cell(-x))
        data.addElement(row)
    row = TableRow()
    for t in ["Größe", "Straße ÄÖÜ", "\U0001F41F", "drei   Leerzeichen"]:
        row.addElement(text_cell(t))
    data.addElement(row)
    row = TableRow()
    cell = TableCell(valuetype="boolean", booleanvalue="true")
    cell.addElement(P(text="TRUE"))
    row.addElement(cell)
    cell = TableCell(valuetype="boolean", booleanvalue="false")
    cell.addElement(P(text="FALSE"))
    row.addElement(cell)
    row.addElement(number_cell(0.125, valuetype="percentage"))
    row.addElement(number_cell(12.5, valuetype="currency", currency="EUR"))
    cell = TableCell(valuetype="date", datevalue="2013-02-26")
    cell.addElement(P(text="26.02.13"))
    row.addElement(cell)
    cell = TableCell(valuetype="date", datevalue="2009-08-16T05:43:21")
    cell.addElement(P(text="16.08.09 05:43"))
    row.addElement(cell)
    data.addElement(row)
    # Repeated cells and rows that hold values, and empty ones between them.
    row = TableRow(numberrowsrepeated=3)
    row.addElement(number_cell(2.5, numbercolumnsrepeated=4))
    row.addElement(TableCell(numbercolumnsrepeated=2))
    row.addElement(text_cell("x", numbercolumnsrepeated=2))
    data.addElement(row)
    data.addElement(TableRow(numberrowsrepeated=5))
    row = TableRow()
    row.addElement(text_cell("verbunden", numbercolumnsspanned=2, numberrowsspanned=1))
    row.addElement(CoveredTableCell())
    row.addElement(number_cell(1.0))
    data.addElement(row)
    doc.spreadsheet.addElement(data)

    hidden = Table(name="Versteckt", stylename=hidden_style)
    row = TableRow()
    row.addElement(number_cell(42.0))
    hidden.addElement(row)
    doc.spreadsheet.addElement(hidden)
    doc.save(path)


def handmade(path):
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    head = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    sheet1 = (head + '<worksheet xmlns="%s"><dimension ref="A1:XFD1048576"/><sheetData>'
              '<row r="1"><c r="A1"><f>1/3</f><v>0.33333333333333331</v></c>'
              '<c r="B1" t="str"><f>"Summe"</f><v>Summe</v></c>'
              '<c r="C1" t="b"><f>TRUE()</f><v>1</v></c>'
              '<c r="D1" t="e"><f>1/0</f><v>#DIV/0!</v></c>'
              '<c r="E1"><f>NOW()</f></c></row>'
              '<row r="2"><c r="A2"><f t="shared" ref="A2:A4" si="0">ROW()*1.1</f><v>2.2000000000000002</v></c></row>'
              '<row r="3"><c r="A3"><f t="shared" si="0"/><v>3.3000000000000003</v></c></row>'
              '<row r="4"><c r="A4"><f t="shared" si="0"/><v>4.4000000000000004</v></c></row>'
              '<row r="6"><c r="A6" t="inlineStr"><is><t>inline</t></is></c>'
              '<c r="B6" t="inlineStr"><is><r><t>fett</t></r><r><rPr><b/></rPr><t xml:space="preserve"> und normal</t></r>'
              '<rPh sb="0" eb="1"><t>PHONETIC</t></rPh></is></c>'
              '<c r="C6" t="s"><v>0</v></c><c r="D6" t="s"><v>1</v></c><c r="E6" t="s"><v>2</v></c></row>'
              '<row><c><v>1E-3</v></c><c><v>+2.5E+2</v></c><c t="n"><v>  7  </v></c></row>'
              '<row r="8"><c><v>0.30000000000000004</v></c><c><v>5e-324</v></c><c><v>4.9406564584124654E-324</v></c>'
              '<c><v>1.7976931348623157E+308</v></c><c><v>2.2250738585072011e-308</v></c><c><v>1e-400</v></c>'
              '<c><v>-1e-400</v></c><c><v>123456789012345678</v></c><c><v>9007199254740993</v></c>'
              '<c><v>0.1000000000000000055511151231257827021181583404541015625</v></c><c><v>1E5</v></c></row>'
              '<row r="9"><c r="B9" t="d"><v>2013-02-26T12:00:00</v></c><c r="C9" s="1"/><c r="D9" t="s"><v>3</v></c></row>'
              '</sheetData></worksheet>') % main
    sheet2 = (head + '<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1"><v>2</v></c></row></sheetData></worksheet>') % main
    chart = head + '<chartsheet xmlns="%s"/>' % main
    strings = (head + '<sst xmlns="%s" count="4" uniqueCount="4"><si><t>geteilt</t></si>'
               '<si><r><t>rich</t></r><r><t xml:space="preserve"> text</t></r><rPh sb="0" eb="1"><t>ignored</t></rPh></si>'
               '<si><t>&lt;&amp;&gt; &#220;ml&#228;ut</t></si><si><t/></si></sst>') % main
    workbook = (head + '<workbook xmlns="%s" xmlns:r="%s"><bookViews><workbookView activeTab="1"/></bookViews><sheets>'
                '<sheet name="Formeln" sheetId="1" r:id="rId1"/><sheet name="Diagramm" sheetId="2" r:id="rId2"/>'
                '<sheet name="Zwei" sheetId="3" r:id="rId3"/></sheets></workbook>') % (main, rel)
    rels = (head + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>'
            '<Relationship Id="rId2" Type="%s/chartsheet" Target="chartsheets/sheet1.xml"/>'
            '<Relationship Id="rId3" Type="%s/worksheet" Target="/xl/worksheets/sheet2.xml"/>'
            '<Relationship Id="rId4" Type="%s/sharedStrings" Target="sharedStrings.xml"/>'
            '<Relationship Id="rId5" Type="%s/styles" Target="styles.xml"/></Relationships>') % ((rel,) * 5)
    styles = (head + '<styleSheet xmlns="%s"><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="14" applyNumberFormat="1"/>'
              '</cellXfs></styleSheet>') % main
    types = (head + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
             '<Default Extension="xml" ContentType="application/xml"/>'
             '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
             '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
             '<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
             '<Override PartName="/xl/chartsheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml"/>'
             '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
             '<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>'
             '</Types>')
    package_rels = (head + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                    '<Relationship Id="rId1" Type="%s/officeDocument" Target="xl/workbook.xml"/></Relationships>') % rel
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", types)
        z.writestr("_rels/.rels", package_rels)
        z.writestr("xl/workbook.xml", workbook)
        z.writestr("xl/_rels/workbook.xml.rels", rels)
        z.writestr("xl/worksheets/sheet1.xml", sheet1)
        z.writestr("xl/worksheets/sheet2.xml", sheet2)
        z.writestr("xl/chartsheets/sheet1.xml", chart)
        z.writestr("xl/chartsheets/_rels/sheet1.xml.rels",
                   head + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"/>')
        z.writestr("xl/sharedStrings.xml", strings)
        z.writestr("xl/styles.xml", styles)


def main():
    os.makedirs(OUT, exist_ok=True)
    openpyxl_types(os.path.join(OUT, "zx_openpyxl_types.xlsx"))
    openpyxl_1904(os.path.join(OUT, "zx_openpyxl_1904.xlsx"))
    odfpy_types(os.path.join(OUT, "zx_odfpy_types.ods"))
    handmade(os.path.join(OUT, "zx_handmade_features.xlsx"))
    print("written to", OUT)


if __name__ == "__main__":
    main()
