#!/usr/bin/python3
"""Writes starting inputs for the fuzz targets: the workbook streams of .xls
files (for BiffRecordsFuzzer) and the files themselves (for XlsFileFuzzer).
The streams are taken out of their containers with xlrd's compound-document
reader (Debian's python3-xlrd).

    /usr/bin/python3 make_seeds.py OUT_DIR FILE_OR_FOLDER...

writes OUT_DIR/records/<name>.bin and OUT_DIR/files/<name>.
"""
import os
import shutil
import sys

from xlrd.compdoc import CompDoc, SIGNATURE


def workbook_stream(data):
    if not data.startswith(SIGNATURE):
        return data if data[:2] == b"\x09\x08" else None
    try:
        doc = CompDoc(data, logfile=open(os.devnull, "w"))
    except Exception:
        return None
    for name in ("Workbook", "Book", "WORKBOOK", "BOOK"):
        try:
            stream = doc.get_named_stream(name)
        except Exception:
            stream = None
        if stream:
            return stream
    return None


def main():
    out = sys.argv[1]
    paths = []
    for arg in sys.argv[2:]:
        if os.path.isdir(arg):
            paths += [os.path.join(arg, n) for n in sorted(os.listdir(arg)) if n.lower().endswith(".xls")]
        else:
            paths.append(arg)
    os.makedirs(os.path.join(out, "records"), exist_ok=True)
    os.makedirs(os.path.join(out, "files"), exist_ok=True)
    for path in paths:
        name = os.path.basename(path)
        shutil.copyfile(path, os.path.join(out, "files", name))
        with open(path, "rb") as f:
            stream = workbook_stream(f.read())
        if stream:
            with open(os.path.join(out, "records", name + ".bin"), "wb") as f:
                f.write(stream)
    print("seeds for %d files in %s" % (len(paths), out))


if __name__ == "__main__":
    main()
