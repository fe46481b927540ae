#!/usr/bin/env python3
"""Reads what the end-to-end tests look for in an enhanced metafile.

    emf_records.py texts FILE   the texts, one a line (UTF-8): EMR_EXTTEXTOUTA
                                (83, Windows-1252) and EMR_EXTTEXTOUTW (84,
                                UTF-16LE)
    emf_records.py count FILE   the number of records
    emf_records.py faces FILE   the face names of the fonts it creates, one a
                                line, each followed by " padded" when the
                                32 characters after its end are all zero
                                (EMR_EXTCREATEFONTINDIRECTW, 82)
    emf_records.py pens FILE    the colours of the pens it creates, one a line,
                                six hex digits in COLORREF order (0x00BBGGRR:
                                blue is ff0000): EMR_CREATEPEN (38) and
                                EMR_EXTCREATEPEN (95)

Checks the header record first (EMR_HEADER with the " EMF" signature) and
walks the records by their sizes. Exit code 1 when the file is not a
well-formed metafile.
"""
import struct
import sys

EMR_HEADER, EMR_EOF = 1, 14
EMR_CREATEPEN, EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW, EMR_EXTCREATEPEN = 38, 83, 84, 95


def records(data):
    """Yields (type, offset, size) of every record up to EMR_EOF."""
    if len(data) < 88 or struct.unpack_from("<I", data, 0)[0] != EMR_HEADER or data[40:44] != b" EMF":
        raise ValueError("no enhanced metafile header")
    at = 0
    while at + 8 <= len(data):
        kind, size = struct.unpack_from("<II", data, at)
        if size < 8 or size % 4 or at + size > len(data):
            raise ValueError("record %d at %d has a bad size %d" % (kind, at, size))
        yield kind, at, size
        if kind == EMR_EOF:
            return
        at += size
    raise ValueError("no end-of-file record")


def texts(data):
    found = []
    for kind, at, _ in records(data):
        if kind in (EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW):
            # type, size, bounds (16), graphics mode, x and y scale, then the
            # EMRTEXT: reference point (8), character count, string offset.
            count, offset = struct.unpack_from("<II", data, at + 44)
            width = 1 if kind == EMR_EXTTEXTOUTA else 2
            raw = data[at + offset:at + offset + count * width]
            found.append(raw.decode("cp1252" if width == 1 else "utf-16-le"))
    return found


def pens(data):
    found = []
    for kind, at, size in records(data):
        if kind == EMR_CREATEPEN and size >= 28:
            # type, size, pen index, LOGPEN: style, width (POINT), colour
            found.append("%06x" % (struct.unpack_from("<I", data, at + 24)[0] & 0xFFFFFF))
        elif kind == EMR_EXTCREATEPEN and size >= 44:
            # type, size, pen index, bitmap offsets and sizes (16), then
            # EXTLOGPEN: style, width, brush style, colour
            found.append("%06x" % (struct.unpack_from("<I", data, at + 40)[0] & 0xFFFFFF))
    return found


def faces(data):
    found = []
    for kind, at, _ in records(data):
        if kind == 82:
            # type, size, font index, then LOGFONTW: 28 bytes before the face name
            raw = data[at + 40:at + 40 + 64]
            end = next((i for i in range(0, 64, 2) if raw[i:i + 2] == b"\0\0"), 64)
            padded = all(b == 0 for b in raw[end:])
            found.append(raw[:end].decode("utf-16-le") + (" padded" if padded else " unpadded"))
    return found


def count(data):
    return [sum(1 for _ in records(data))]


def main():
    readers = {"texts": texts, "pens": pens, "count": count, "faces": faces}
    if len(sys.argv) != 3 or sys.argv[1] not in readers:
        print("usage: emf_records.py texts|pens|count|faces FILE", file=sys.stderr)
        return 2
    try:
        with open(sys.argv[2], "rb") as f:
            for line in readers[sys.argv[1]](f.read()):
                print(line)
    except (OSError, ValueError, IndexError, struct.error) as problem:
        print("emf_records: %s" % problem, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
