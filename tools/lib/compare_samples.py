#!/usr/bin/env python3
"""Compares what reader_probe read from the sample files with oracle.tsv.

usage: compare_samples.py ORACLE_TSV PROBE_TSV

Prints one block per file whose values differ, with the oracle's notes beside them, and a
summary. The oracle gives the texts as ExifTool reads them; they are brought into the
probe's form first (dates as YYYY:MM:DD HH:MM:SS, models without blanks at the ends, a
missing size as 0 for Exif files and -1 for RIFF files).
"""
import csv
import os
import re
import sys
from datetime import datetime

FIELDS = ["DateTime", "DateTimeOriginal", "Model", "Width", "Height"]
ORACLE_COLUMNS = ["DateTime_0x0132", "DateTimeOriginal_0x9003", "Model_0x0110",
                  "Width_0xA002", "Height_0xA003"]
RIFF_KINDS = {"fkAVI", "fkWAVE"}


def normal_date(text):
    if text == "-":
        return "-"
    # The readers ignore the separators: 2004-07-13T21:23:44Z is the Exif text's moment.
    m = re.match(r"(\d{4}).(\d\d).(\d\d).(\d\d).(\d\d).(\d\d)", text)
    if m:
        return "%s:%s:%s %s:%s:%s" % m.groups()
    for layout in ("%a %b %d %H:%M:%S %Y", "%Y-%m-%d %H:%M:%S"):
        try:
            return datetime.strptime(text.strip()[:24], layout).strftime("%Y:%m:%d %H:%M:%S")
        except ValueError:
            pass
    return "text " + repr(text)


def first_number(text):
    # ExifTool lists every value of a tag; the readers take the first.
    return text.split(" ")[0]


def explain(field, row, kind, got, want, window):
    """The rule of the readers that makes this difference, where the oracle shows it."""
    notes = row.get("notes", "")
    if "not found by window search" in notes:
        return "the chunk lies beyond the 81920-byte search window"
    if field in ("DateTime", "DateTimeOriginal") and got == "-" and want.startswith("text "):
        return "the text holds no date the conversion recognises: 0"
    if field in ("DateTime", "DateTimeOriginal") and got == "-" and re.match(
            r"\d{4}:\d\d:\d\d", want) and not valid_date(want):
        return "not a valid calendar date: 0"
    if "AFTER the Exif pointer" in notes and field in ("DateTime", "Model"):
        return "IFD0 is walked only up to the Exif pointer"
    if "type 9" in notes and field in ("Width", "Height"):
        return "a dimension of type SLONG reads as 0 (BYTE, SHORT, LONG only)"
    if "has no Exif IFD pointer" in notes and field in ("DateTimeOriginal", "Width", "Height"):
        return "the TIFF block read has no Exif IFD pointer"
    if "raw:Model bytes up to NUL" in notes and field == "Model":
        return "the text runs to its zero byte (the count is not examined); only codes <= 32 are trimmed"
    if "Wrong format" in notes and "ExifOffset" in notes:
        return "the walk follows a 0x8769 entry whatever its type; ExifTool does not"
    if field in ("Width", "Height") and f'Pixel{"X" if field == "Width" else "Y"}="{got}"' in row.get("exiv2_check", ""):
        return "exiv2 reads the same; ExifTool could not read the Exif IFD"
    if field == "Model" and "ExifIFD:Model=" in row.get("elsewhere", ""):
        return ("IFD0 holds no Model, the walk finds the one in the Exif IFD; its text has no "
                "zero byte and runs on into the next value")
    little = window.find(b"II*\0")
    if kind == "fkRAW1" and little > 0 and not window.startswith((b"II*\0", b"MM\0*")):
        return f"the TIFF block read is the one at {little} (embedded document)"
    if kind == "fkRAW1" and little > 0:
        return f"the little-endian signature at {little} wins over the file's own header"
    return "UNEXPLAINED: see the readers' notes"


def why_refused(window):
    """Why the readers raise EExifException for a file."""
    if window.startswith(b"\xff\xd8"):
        marker = window.find(b"\xff\xe1")
        if marker < 0 or marker + 2 >= len(window):
            return "a JPEG without FF E1 in the window"
        return (f"a JPEG whose first FF E1 (at {marker}) is no Exif segment: "
                f"{window[marker + 4:marker + 10]!r}")
    return f"not a kind the readers know: starts with {window[:12]!r}"


def valid_date(text):
    try:
        datetime.strptime(text[:19], "%Y:%m:%d %H:%M:%S")
        return True
    except ValueError:
        return False


def normal_model(text):
    return "" if text == "-" else text.strip(" \t\r\n\0")


def unescape(text):
    return re.sub(r"\\x([0-9a-f]{2})|\\\\", lambda m: chr(int(m.group(1), 16)) if m.group(1) else "\\",
                  text)


def main():
    oracle_path, probe_path = sys.argv[1], sys.argv[2]
    samples = os.path.dirname(os.path.abspath(oracle_path))
    with open(oracle_path, encoding="utf-8", newline="") as f:
        oracle = {row["file"]: row for row in csv.DictReader(f, delimiter="\t")}
    probe = {}
    with open(probe_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            probe[unescape(parts[0])] = parts[1:]

    same = differ = refused = 0
    for name, row in oracle.items():
        got = probe.get(name)
        if got is None:
            print(f"{name}: not probed")
            differ += 1
            continue
        kind = got[0]
        notes = row.get("notes", "-")
        if not kind.startswith("fk"):
            has_values = any(row[c] != "-" for c in ORACLE_COLUMNS)
            refused += 1
            with open(os.path.join(samples, name), "rb") as media:
                window = media.read(81922)
            print(f"{name}: {kind} (oracle: {row['FileType']}{', has values' if has_values else ''})"
                  f" -- {why_refused(window)}")
            if has_values:
                for field, column in zip(FIELDS, ORACLE_COLUMNS):
                    if row[column] != "-":
                        print(f"    {field}: oracle {row[column]!r}")
            if notes != "-":
                print(f"    notes: {notes}")
            continue
        values = dict(zip(FIELDS, [got[1], got[2], unescape(got[3]), got[4], got[5]]))
        missing_size = "-1" if kind in RIFF_KINDS else "0"
        expected = {
            "DateTime": normal_date(row["DateTime_0x0132"]),
            "DateTimeOriginal": normal_date(row["DateTimeOriginal_0x9003"]),
            "Model": normal_model(row["Model_0x0110"]),
            "Width": missing_size if row["Width_0xA002"] == "-" else first_number(row["Width_0xA002"]),
            "Height": missing_size if row["Height_0xA003"] == "-" else first_number(row["Height_0xA003"]),
        }
        diffs = [f for f in FIELDS if values[f] != expected[f]]
        if not diffs:
            same += 1
            continue
        differ += 1
        print(f"{name}: {kind} (oracle: {row['FileType']}, {row['ByteOrder']})")
        with open(os.path.join(samples, name), "rb") as media:
            window = media.read(81924)
        for f in diffs:
            reason = explain(f, row, kind, values[f], expected[f], window)
            print(f"    {f}: read {values[f]!r}, oracle {expected[f]!r} -- {reason}")
        if row.get("elsewhere", "-") != "-":
            print(f"    elsewhere: {row['elsewhere']}")
        if notes != "-":
            print(f"    notes: {notes}")
    print(f"{len(oracle)} files: {same} read as the oracle reads them, {differ} differ, "
          f"{refused} refused by the readers")


if __name__ == "__main__":
    main()
