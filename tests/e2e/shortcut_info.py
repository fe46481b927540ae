#!/usr/bin/env python3
"""Prints the working folder and the target's relative path of a Windows
shortcut (.lnk, the Shell Link format), one a line:

    shortcut_info.py FILE

Exit code 1 when the file is not a shortcut."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR = 0x1, 0x2, 0x4, 0x8, 0x10
IS_UNICODE = 0x80


def main(path):
    data = open(path, "rb").read()
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        print("not a shortcut: " + path, file=sys.stderr)
        return 1
    flags = struct.unpack_from("<I", data, 0x14)[0]
    pos = 0x4C
    if flags & HAS_ID_LIST:
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    if flags & HAS_LINK_INFO:
        pos += struct.unpack_from("<I", data, pos)[0]
    strings = {}
    for bit in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
        if not flags & bit:
            continue
        count = struct.unpack_from("<H", data, pos)[0]
        pos += 2
        size = count * 2 if flags & IS_UNICODE else count
        raw = data[pos:pos + size]
        strings[bit] = raw.decode("utf-16-le" if flags & IS_UNICODE else "cp1252").rstrip("\0")
        pos += size
    print("working_dir=" + strings.get(HAS_WORKING_DIR, ""))
    print("relative_path=" + strings.get(HAS_RELATIVE_PATH, ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]) if len(sys.argv) == 2 else 2)
