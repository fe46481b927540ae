"""Writes a small station database for the command-line tests.

usage: make_database.py DIR CONTENTS.json

CONTENTS: {"countries": [[code, name], ...],
       "precip": [{"code", "number", "name", "lat", "lon", "values"}, ...],
       "temp": [...]}
Texts are written in Windows-1252, each in its fixed column: a station
record is 1338 bytes (a 77-byte header and 13 blocks of 97), a country
record 79 bytes.
"""
import json
import os
import sys


def text(value, width, right=False):
    raw = value.encode("cp1252")
    raw = raw.rjust(width) if right else raw.ljust(width)
    assert len(raw) == width, value
    return raw


def station(s):
    header = (text(s["code"], 3) + b" " + text(s["number"], 8, right=True) + text(s["name"], 24) +
              b"  " + text(s.get("lat", " 52.31"), 6) + b" " + text(s.get("lon", "  13.04"), 7) +
              b" " + text("   81", 5) + text(" 1961", 5) + text(" 1990", 5))
    header = header.ljust(77)
    block = b"".join(text("%g" % v, 8, right=True) for v in s["values"]).ljust(97)
    return header + block + b" " * (97 * 12)


def main():
    folder, contents_path = sys.argv[1], sys.argv[2]
    contents = json.load(open(contents_path, encoding="utf-8"))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "COUNTRY.DAT"), "wb") as f:
        for code, name in contents["countries"]:
            f.write(b" " * 12 + text(code, 3) + b"  " + text(name, 60) + b"\r\n")
    for kind in ("precip", "temp"):
        with open(os.path.join(folder, kind.upper() + ".DAT"), "wb") as f:
            for s in contents[kind]:
                record = station(s)
                assert len(record) == 1338
                f.write(record)


main()
