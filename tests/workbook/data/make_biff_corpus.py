#!/usr/bin/python3
"""Writes the reader's own Excel workbook streams into biff-corpus/, record by
record, for what the writers at hand never produce on purpose:

    zx_biff8_cells.xls     every kind of cell record (NUMBER, the four RK
                           forms, MULRK, LABELSST, LABEL, BOOLERR, FORMULA with
                           results of every type, its STRING record after a
                           SHRFMLA and going on in a CONTINUE record), shared
                           strings cut between CONTINUE records in each way the
                           format allows (8-bit text going on as 16-bit and
                           back, inside rich-text runs and a phonetic block,
                           at a string's end), an empty text, a cell written
                           twice, a formatted blank far out, an embedded chart,
                           cells out of order, the last cell of the format;
                           sheets hidden, very hidden and a chart sheet.
    zx_biff5_cpNNNN.xls    Excel 5.0/95 workbooks whose sheet name and texts
                           are 8-bit text in code page NNNN; the one in 1252
                           also holds numbers, formulas and an RSTRING.

The files are bare workbook streams, as Excel 5.0 and later also open them.
The expected dumps are not written here: make_corpus_references.py reads these
files back with xlrd, as every other .xls.

    /usr/bin/python3 make_biff_corpus.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "biff-corpus")


def record(rtype, data=b""):
    return struct.pack("<HH", rtype, len(data)) + data


def bof(biff8, substream):
    data = struct.pack("<HHHH", 0x0600 if biff8 else 0x0500, substream, 0x0DBB, 0x07CC)
    return record(0x0809, data + (struct.pack("<II", 0, 0) if biff8 else b""))


EOF = record(0x000A)


def at(row, col):
    return struct.pack("<HHH", row, col, 0)  # row, column, XF 0


def number(row, col, x):
    return record(0x0203, at(row, col) + struct.pack("<d", x))


def rk(row, col, value):
    return record(0x027E, at(row, col) + struct.pack("<I", value))


def rk_int(n, hundredths=0):
    return ((n << 2) & 0xFFFFFFFF) | 2 | hundredths


def rk_double(x, hundredths=0):
    return (struct.unpack("<Q", struct.pack("<d", x))[0] >> 32) & 0xFFFFFFFC | hundredths


def mulrk(row, first, values):
    body = struct.pack("<HH", row, first) + b"".join(struct.pack("<HI", 0, rk_int(v)) for v in values)
    return record(0x00BD, body + struct.pack("<H", first + len(values) - 1))


def label_sst(row, col, index):
    return record(0x00FD, at(row, col) + struct.pack("<I", index))


def boolerr(row, col, value, is_error):
    return record(0x0205, at(row, col) + bytes([value, is_error]))


def formula(row, col, result8):
    # The cached result, flags, chn, then the formula: one token, ptgBool TRUE.
    return record(0x0006, at(row, col) + result8 + struct.pack("<HIH", 0, 0, 2) + b"\x1D\x01")


def formula_special(row, col, kind, value=0):
    """kind 0 string (in the STRING record that follows), 1 boolean, 2 error, 3 empty string."""
    return formula(row, col, bytes([kind, 0, value, 0, 0, 0, 0xFF, 0xFF]))


def unicode_string(text, count="<H"):
    """BIFF8 XLUnicodeString: 8-bit characters where all fit, else UTF-16."""
    if all(ord(c) < 0x100 for c in text):
        return struct.pack(count, len(text)) + b"\x00" + text.encode("latin-1")
    units = text.encode("utf-16-le")
    return struct.pack(count, len(units) // 2) + b"\x01" + units


def sst(count, pieces):
    """An SST record and CONTINUE records holding the pieces of the string table."""
    out = record(0x00FC, struct.pack("<II", count, count) + pieces[0])
    return out + b"".join(record(0x003C, p) for p in pieces[1:])


def workbook(sheets, biff8=True, codepage=None, active=0, globals_extra=b""):
    """sheets: (name, state, type, records); names are text (BIFF8) or code-page bytes (BIFF5)."""
    head = bof(biff8, 0x0005)
    if codepage is not None:
        head += record(0x0042, struct.pack("<H", codepage))
    head += record(0x003D, struct.pack("<9H", 0, 0, 0, 0, 0, active, 0, 1, 600)) + globals_extra

    def boundsheet(offset, name, state, kind):
        raw = unicode_string(name, "<B") if biff8 else struct.pack("<B", len(name)) + name
        return record(0x0085, struct.pack("<IBB", offset, state, kind) + raw)

    start = len(head) + sum(len(boundsheet(0, *s[:3])) for s in sheets) + len(EOF)
    entries, bodies = b"", b""
    for name, state, kind, records in sheets:
        entries += boundsheet(start + len(bodies), name, state, kind)
        bodies += bof(biff8, 0x0020 if kind == 2 else 0x0010) + records + EOF
    return head + entries + EOF + bodies


def biff8_cells():
    plain = lambda s: unicode_string(s)  # noqa: E731
    # Shared strings 0-9, cut into five records: between the runs of a rich
    # text, inside 8-bit text going on as UTF-16, inside UTF-16 going on as
    # 8-bit, and at a string's end (the next record starts with a header).
    rich = struct.pack("<HBHI", 3, 0x0C, 2, 5) + b"abc"  # 2 formatting runs, a 5-byte phonetic block
    pieces = [
        plain("erster") + plain("zweiter") + rich + b"R" * 4,
        b"R" * 4 + b"P" * 5 + plain("danach") + struct.pack("<HB", 8, 0) + b"abcdef",
        b"\x01" + "ЖЖ".encode("utf-16-le") + struct.pack("<HB", 4, 1) + "ЖЖ".encode("utf-16-le"),
        b"\x00xy" + plain("") + plain("eins"),
        plain("zwei") + plain("Sushi \U0001F363"),
    ]
    strings = sst(10, pieces)
    dimensions = record(0x0200, struct.pack("<IIHHH", 0, 1000, 0, 50, 0))  # claims far more than there is
    continued = struct.pack("<HB", 6, 0) + b"abc"  # a STRING record going on in a CONTINUE record
    cells = [
        dimensions,
        mulrk(20, 1, [10, 20, 30]),  # written before the rows above it
        *[label_sst(r, 0, r) for r in range(10)],
        number(0, 1, 2.5), number(1, 1, -0.0), number(2, 1, float("nan")), number(3, 1, 1e300),
        rk(4, 1, rk_int(7)), rk(5, 1, rk_int(-3)), rk(6, 1, rk_int(1234, 1)),
        rk(7, 1, rk_double(1.5)), rk(8, 1, rk_double(123.0, 1)),
        boolerr(0, 2, 1, 0), boolerr(1, 2, 0, 0),
        *[boolerr(2 + i, 2, code, 1) for i, code in enumerate([0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A])],
        bof(True, 0x0020), number(9, 9, 99), EOF,  # an embedded chart: none of its records is a cell
        formula(0, 3, struct.pack("<d", 1 / 7)),
        formula_special(1, 3, 0), record(0x0207, unicode_string("Ergebnis")),
        formula_special(2, 3, 0), record(0x04BC, bytes(10)), record(0x0207, unicode_string("geteilt")),
        formula_special(3, 3, 0), record(0x0207, unicode_string("МОСКВА")),
        formula_special(4, 3, 1, 1), formula_special(5, 3, 2, 0x07), formula_special(6, 3, 3),
        formula_special(7, 3, 0), record(0x0207, continued), record(0x003C, b"\x01" + "Жxy".encode("utf-16-le")),
        record(0x0204, at(0, 4) + unicode_string("Größe Ж")),
        number(0, 5, 1), label_sst(0, 5, 0),  # the later cell at F1 counts
        record(0x0201, at(900, 40)),  # a formatted blank holds nothing
        number(65535, 255, 4),  # IV65536, the last cell of the format
    ]
    sheets = [("Größen", 0, 0, b"".join(cells)), ("Diagramm1", 0, 2, b""),
              ("Versteckt", 1, 0, number(1, 1, 2)), ("Ganz versteckt", 2, 0, boolerr(0, 0, 1, 0))]
    return workbook(sheets, globals_extra=record(0x0022, struct.pack("<H", 1)) + strings)


# Code page, and a text in it: bytes and what they read as.
CODE_PAGES = [
    (1252, b"\xC4pfel \x80 \xDF"), (1250, b"\x8A\xE8\xF8"), (1251, b"\xCC\xEE\xF1\xEA\xE2\xE0"),
    (1253, b"\xC1\xE8\xDE\xED\xE1"), (1254, b"\xDE\xF0"), (1255, b"\xF9\xEC\xE5\xED"), (1256, b"\xC7\xE1"),
    (1257, b"\xD0\xE0"), (1258, b"Vi\xEA\xF2t"), (10000, b"\x8A\x9A\xA7"), (32768, b"\x8A"), (32769, b"\xE4"),
    (437, b"\x84\x94\xE1"), (850, b"\x81\xE1"), (866, b"\x8C\xAE\xE1"), (874, b"\xA1"), (10007, b"\x80"),
    (932, b"\x93\xFA\x96\x7B"), (936, b"\xD6\xD0\xCE\xC4"), (949, b"\xC7\xD1"), (950, b"\xA4\xA4"),
]


def biff5(codepage, text):
    def label(row, col, raw, rtype=0x0204, runs=b""):
        return record(rtype, at(row, col) + struct.pack("<H", len(raw)) + raw + runs)

    # The same text twice: a converter keeping state between texts would show.
    cells = label(0, 0, text) + label(1, 0, text)
    if codepage == 1252:
        cells += (number(0, 1, 1.25) + rk(1, 1, rk_int(3)) + boolerr(2, 1, 1, 0) + boolerr(3, 1, 0x07, 1)
                  + formula(4, 1, struct.pack("<d", 0.5))
                  + formula_special(5, 1, 0) + record(0x0207, struct.pack("<H", 3) + b"\xE4\xF6\xFC")
                  + record(0x0206, at(6, 1) + struct.pack("<d", 6.5) + bytes(8))  # an old FORMULA record
                  + label(2, 0, b"mit Format", 0x00D6, b"\x01\x00\x00"))  # RSTRING and its one run
    return workbook([(text, 0, 0, cells)], biff8=False, codepage=codepage)


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {"zx_biff8_cells.xls": biff8_cells()}
    for codepage, text in CODE_PAGES:
        files["zx_biff5_cp%d.xls" % codepage] = biff5(codepage, text)
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print(len(files), "workbooks written to", OUT)


if __name__ == "__main__":
    main()
