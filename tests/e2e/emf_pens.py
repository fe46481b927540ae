#!/usr/bin/env python3
"""Prints the colours of the pens an enhanced metafile creates, one a line,
as six hex digits in COLORREF order (0x00BBGGRR: blue is ff0000).

Reads the EMR_CREATEPEN (38) and EMR_EXTCREATEPEN (95) records. Exit code 1
when the file is not a well-formed metafile.
"""
import struct
import sys

EMR_HEADER, EMR_EOF, EMR_CREATEPEN, EMR_EXTCREATEPEN = 1, 14, 38, 95


def pen_colours(data):
    if len(data) < 88 or struct.unpack_from("<I", data, 0)[0] != EMR_HEADER or data[40:44] != b" EMF":
        raise ValueError("no enhanced metafile header")
    at, found = 0, []
    while at + 8 <= len(data):
        kind, size = struct.unpack_from("<II", data, at)
        if size < 8 or size % 4 or at + size > len(data):
            raise ValueError("record %d at %d has a bad size %d" % (kind, at, size))
        if kind == EMR_CREATEPEN and size >= 28:
            # type, size, pen index, LOGPEN: style, width (POINT), colour
            found.append(struct.unpack_from("<I", data, at + 24)[0])
        elif kind == EMR_EXTCREATEPEN and size >= 44:
            # type, size, pen index, bitmap offsets and sizes (16), then
            # EXTLOGPEN: style, width, brush style, colour
            found.append(struct.unpack_from("<I", data, at + 40)[0])
        if kind == EMR_EOF:
            return found
        at += size
    raise ValueError("no end-of-file record")


def main():
    try:
        with open(sys.argv[1], "rb") as f:
            for colour in pen_colours(f.read()):
                print("%06x" % (colour & 0xFFFFFF))
    except (OSError, ValueError, IndexError, struct.error) as problem:
        print("emf_pens: %s" % problem, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
