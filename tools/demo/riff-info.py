#!/usr/bin/env python3
"""Adds date and software chunks to a RIFF file, as cameras and recorders write them.

usage: riff-info.py IN OUT ID TEXT [ID TEXT ...]
IDIT goes into the AVI header list (after avih), other ids into a LIST INFO chunk that
replaces any the file had. Sizes of the enclosing lists are fixed up.
"""
import struct
import sys


def chunk(cid, data):
    pad = b"\0" if len(data) % 2 else b""
    return cid + struct.pack("<I", len(data)) + data + pad


def text(value):
    return value.encode("latin-1") + b"\0"


def parse(data):
    """Splits RIFF chunk data into (id, payload) pairs."""
    items, pos = [], 0
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        items.append((cid, data[pos + 8:pos + 8 + size]))
        pos += 8 + size + (size & 1)
    return items


def main():
    src, dst, pairs = sys.argv[1], sys.argv[2], sys.argv[3:]
    tags = list(zip(pairs[0::2], pairs[1::2]))
    raw = open(src, "rb").read()
    assert raw[:4] == b"RIFF"
    form, body = raw[8:12], parse(raw[12:])
    idit = [(k, v) for k, v in tags if k == "IDIT"]
    info = b"INFO" + b"".join(chunk(k.encode(), text(v)) for k, v in tags if k != "IDIT")
    out = []
    for cid, payload in body:
        if cid == b"LIST" and payload[:4] == b"INFO":
            continue
        if cid == b"LIST" and payload[:4] == b"hdrl" and idit:
            subs = parse(payload[4:])
            rebuilt = b""
            for sid, sp in subs:
                rebuilt += chunk(sid, sp)
                if sid == b"avih":
                    rebuilt += chunk(b"IDIT", text(idit[0][1] + "\n"))
            payload = b"hdrl" + rebuilt
        if cid in (b"LIST",) and payload[:4] == b"movi" or cid == b"data":
            out.append(chunk(b"LIST", info))
        out.append(chunk(cid, payload))
    body = form + b"".join(out)
    open(dst, "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)


if __name__ == "__main__":
    main()
