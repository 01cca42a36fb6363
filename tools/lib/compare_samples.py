#!/usr/bin/env python3
"""Compares what reader_probe read from the sample files with oracle.tsv.

usage: compare_samples.py ORACLE_TSV PROBE_TSV [EXIFTOOL_JSON]

Prints one block per file whose values differ, with the oracle's notes beside them, a
table per format and a summary. The oracle gives the texts as ExifTool reads them; they
are brought into the probe's form first (dates as YYYY:MM:DD HH:MM:SS, models without
blanks at the ends, a missing size as 0 for Exif files and -1 for RIFF files).

oracle.tsv holds Exif and RIFF values only. For video files, and for the container sizes
and text dates of HEIF and PNG images, ExifTool is asked at check time (EXIFTOOL_JSON, from
exiftool -j -n -G1 -a -api QuickTimeUTC ...): a clip's date is Apple's CreationDate as
written, else QuickTime:CreateDate in the local time of the machine (TZ); its model
Apple's Model key; its size that of the first video track.
"""
import csv
import json
import os
import re
import sys
from datetime import datetime

VIDEO_TYPES = {"MP4", "MOV", "3GP", "3G2", "M4A", "M4V"}
FORMATS = [
    ("JPEG", lambda t: t.startswith("JPEG")),
    ("HEIF/HEIC/AVIF", lambda t: t in ("HEIF", "HEIC", "AVIF")),
    ("CR3", lambda t: t == "CR3"),
    ("MP4/MOV/3GP/M4A", lambda t: t in VIDEO_TYPES),
    ("PNG", lambda t: t == "PNG"),
    ("WebP", lambda t: "WEBP" in t),
    ("RIFF AVI/WAVE", lambda t: t in ("AVI", "WAV")),
    ("TIFF and other raw", lambda t: t not in ("-", "BMP", "GIF", "MKV", "M2TS", "PMP")),
    ("other", lambda t: True),
]


def format_of(file_type):
    return next(name for name, test in FORMATS if test(file_type))


def video_expected(tags):
    """What ExifTool reads from a clip, in the probe's form."""
    date = tags.get("Keys:CreationDate") or tags.get("QuickTime:CreateDate") or "-"
    if date != "-":
        date = date[:19]
    # The first track with a picture size (ExifTool gives sound tracks none; its JSON keeps
    # one HandlerType per track, which is often the data handler's).
    tracks = sorted({k.split(":")[0] for k in tags if re.match(r"Track\d+:ImageWidth", k)},
                    key=lambda t: int(t[5:]))
    width = height = "0"
    for track in tracks:
        if tags.get(track + ":ImageWidth"):
            width, height = str(tags[track + ":ImageWidth"]), str(tags[track + ":ImageHeight"])
            break
    return {"DateTime": date, "DateTimeOriginal": date,
            "Model": str(tags.get("Keys:Model", "")).strip(), "Width": width, "Height": height}

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


def explain(field, row, kind, got, want, window, tags):
    """The rule of the readers that makes this difference, where the oracle shows it."""
    notes = row.get("notes", "")
    if field in ("DateTime", "DateTimeOriginal") and got == "-" and re.match(r"190(3:12:31|4:01:0[12])", want):
        return ("the movie header's time is 0, which the format uses for no date; ExifTool shows "
                "its base, 1904-01-01 UTC, in local time")
    if kind == "fkHEIF" and field in ("Width", "Height") and want == "0" and \
            got == str(tags.get("File:Image" + field, "")):
        return "the Exif data has no size: the primary image's ispe, which ExifTool reads as File:Image" + field
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
    if window[4:8] == b"ftyp":
        return f"an ISO media file of brand {window[8:12]!r} without an Exif item (HEIF) or moov box"
    if window.startswith(b"\x89PNG"):
        return "a PNG without an eXIf chunk or a Creation Time text"
    if window.startswith(b"RIFF") and window[8:12] == b"WEBP":
        return "a WebP without an EXIF chunk"
    if window.startswith(b"\xff\xd8"):
        marker = window.find(b"\xff\xe1")
        if marker < 0 or marker + 2 >= len(window):
            return "a JPEG without FF E1 in the window, and no Exif APP1 segment before its image data"
        return (f"a JPEG with no Exif APP1 segment before its image data (first FF E1 at "
                f"{marker}: {window[marker + 4:marker + 10]!r})")
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
    exiftool = {}
    if len(sys.argv) > 3:
        with open(sys.argv[3], encoding="utf-8") as f:
            for tags in json.load(f):
                exiftool[tags["SourceFile"]] = tags
    samples = os.path.dirname(os.path.abspath(oracle_path))
    with open(oracle_path, encoding="utf-8", newline="") as f:
        oracle = {row["file"]: row for row in csv.DictReader(f, delimiter="\t")}
    probe = {}
    with open(probe_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            probe[unescape(parts[0])] = parts[1:]

    table = {name: {"files": 0, "same": 0, "explained": 0, "unexplained": 0, "refused": 0,
                    "missed": 0} for name, _ in FORMATS}
    same = differ = refused = 0
    for name, row in oracle.items():
        counts = table[format_of(row["FileType"])]
        counts["files"] += 1
        tags = exiftool.get(name, {})
        video = row["FileType"] in VIDEO_TYPES
        got = probe.get(name)
        if got is None:
            print(f"{name}: not probed")
            differ += 1
            counts["unexplained"] += 1
            continue
        kind = got[0]
        notes = row.get("notes", "-")
        if not kind.startswith("fk"):
            has_values = any(row[c] != "-" for c in ORACLE_COLUMNS)
            if video and tags:
                has_values = has_values or any(v not in ("-", "", "0") for v in video_expected(tags).values())
            if row["FileType"] == "PNG" and tags.get("PNG:CreationTime"):
                has_values = True
            refused += 1
            counts["missed" if has_values else "refused"] += 1
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
        if video and tags:
            expected = video_expected(tags)
        else:
            expected = {
                "DateTime": normal_date(row["DateTime_0x0132"]),
                "DateTimeOriginal": normal_date(row["DateTimeOriginal_0x9003"]),
                "Model": normal_model(row["Model_0x0110"]),
                "Width": missing_size if row["Width_0xA002"] == "-" else first_number(row["Width_0xA002"]),
                "Height": missing_size if row["Height_0xA003"] == "-" else first_number(row["Height_0xA003"]),
            }
            if row["FileType"] == "PNG" and tags.get("PNG:CreationTime"):
                for field in ("DateTime", "DateTimeOriginal"):
                    if expected[field] == "-":
                        expected[field] = normal_date(str(tags["PNG:CreationTime"]))
        diffs = [f for f in FIELDS if values[f] != expected[f]]
        if not diffs:
            same += 1
            counts["same"] += 1
            continue
        differ += 1
        print(f"{name}: {kind} (oracle: {row['FileType']}, {row['ByteOrder']})")
        with open(os.path.join(samples, name), "rb") as media:
            window = media.read(81924)
        unexplained = False
        for f in diffs:
            reason = explain(f, row, kind, values[f], expected[f], window, tags)
            unexplained = unexplained or reason.startswith("UNEXPLAINED")
            print(f"    {f}: read {values[f]!r}, ExifTool {expected[f]!r} -- {reason}")
        counts["unexplained" if unexplained else "explained"] += 1
        if row.get("elsewhere", "-") != "-":
            print(f"    elsewhere: {row['elsewhere']}")
        if notes != "-":
            print(f"    notes: {notes}")

    print()
    print(f"{'format':<24} {'files':>5} {'as ExifTool':>11} {'differ, explained':>17} "
          f"{'UNEXPLAINED':>11} {'refused, no values':>18} {'refused, HAS VALUES':>19}")
    for name, _ in FORMATS:
        c = table[name]
        if c["files"]:
            print(f"{name:<24} {c['files']:>5} {c['same']:>11} {c['explained']:>17} "
                  f"{c['unexplained']:>11} {c['refused']:>18} {c['missed']:>19}")
    print(f"{len(oracle)} files: {same} read as the oracle reads them, {differ} differ, "
          f"{refused} refused by the readers")


if __name__ == "__main__":
    main()
