#!/usr/bin/env python3
"""Prints the texts of an enhanced metafile, one a line (UTF-8).

Checks the header record first (EMR_HEADER with the " EMF" signature) and
walks the records by their sizes; the texts are those of the
EMR_EXTTEXTOUTA (83, single-byte Windows-1252) and EMR_EXTTEXTOUTW (84,
UTF-16LE) records. Exit code 1 when the file is not a well-formed metafile.
"""
import struct
import sys

EMR_HEADER, EMR_EOF, EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW = 1, 14, 83, 84


def texts(data):
    if len(data) < 88 or struct.unpack_from("<I", data, 0)[0] != EMR_HEADER or data[40:44] != b" EMF":
        raise ValueError("no enhanced metafile header")
    at, found = 0, []
    while at + 8 <= len(data):
        kind, size = struct.unpack_from("<II", data, at)
        if size < 8 or size % 4 or at + size > len(data):
            raise ValueError("record %d at %d has a bad size %d" % (kind, at, size))
        if kind in (EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW):
            # type, size, bounds (16), graphics mode, x and y scale, then the
            # EMRTEXT: reference point (8), character count, string offset.
            count, offset = struct.unpack_from("<II", data, at + 44)
            width = 1 if kind == EMR_EXTTEXTOUTA else 2
            raw = data[at + offset:at + offset + count * width]
            found.append(raw.decode("cp1252" if width == 1 else "utf-16-le"))
        if kind == EMR_EOF:
            return found
        at += size
    raise ValueError("no end-of-file record")


def main():
    try:
        with open(sys.argv[1], "rb") as f:
            for text in texts(f.read()):
                print(text)
    except (OSError, ValueError, IndexError, struct.error) as problem:
        print("emf_texts: %s" % problem, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
