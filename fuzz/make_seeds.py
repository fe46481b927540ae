#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/) from
the golden stations and pieces of the shipped database, and the absurd
station files kept as regression inputs (fuzz/regressions/<target>/):
latitudes, temperatures and precipitation of +-1e30, NaN and infinities,
with window sizes and axis offsets at their limits.

usage: fuzz/make_seeds.py   (from the project folder)
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DB = os.path.join(ROOT, "data", "database")


def put(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def corpus(target):
    return os.path.join(HERE, "corpus", target)


def regressions(target):
    return os.path.join(HERE, "regressions", target)


def golden():
    folder = os.path.join(ROOT, "tests", "golden")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".cli"):
            with open(os.path.join(folder, name), "rb") as f:
                yield name[:-4], f.read()


# The options after the 660 bytes, as fuzz_station_file.cpp reads them:
# width, height (32-bit each, taken modulo their range from -64), the
# axis-offset flag and value, monochrome, month labels (flag, value), view
# (flag, value), print scale, char width, line height, table on paper.
def options(width, height, offset=None, mono=0, scale=6, table=0):
    raw_offset = b"\x00" + struct.pack("<I", 2) if offset is None else b"\x01" + struct.pack("<I", offset + 100000)
    return (struct.pack("<I", width + 64) + struct.pack("<I", height + 64) + raw_offset +
            bytes([mono, 1, 1, 1, 1]) + struct.pack("<I", scale - 1) + struct.pack("<I", 7) +
            struct.pack("<I", 15) + bytes([table]))


def absurd_record(base, temp, precip, lat):
    rec = bytearray(base)
    for m in range(14):
        struct.pack_into("<f", rec, 236 + 4 * m, precip(m))
        struct.pack_into("<f", rec, 292 + 4 * m, temp(m))
    struct.pack_into("<f", rec, 212, lat)
    struct.pack_into("<f", rec, 572, temp(1))
    struct.pack_into("<f", rec, 576, precip(1))
    for m in range(12):
        struct.pack_into("<i", rec, 588 + 4 * m, 1 + m % 2)
    struct.pack_into("<iiii", rec, 636, 1, 1, 1, 1)
    return bytes(rec)


def main():
    world_outline_seeds()
    stations = dict(golden())
    for name, data in stations.items():
        put(corpus("station_file"), name, data + options(380, 510, scale=1))
        put(corpus("manual_entry"), name, data + b"\x00" * 8 + b"\n".join([b"+12.5", b"  71", b"-33.57"]))

    base = stations["berlin"]
    inf, nan = math.inf, math.nan
    cases = {
        "wet_sky": (lambda m: -1e30, lambda m: 1e30, 52.0),
        "dry_sky": (lambda m: 1e30, lambda m: -1e30, -1e30),
        "infinities": (lambda m: inf if m % 2 else -inf, lambda m: -inf if m % 2 else inf, inf),
        "nan": (lambda m: nan, lambda m: nan if m % 2 else 1e30, nan),
        "float_limits": (lambda m: 3.4e38 if m % 3 else -3.4e38, lambda m: -3.4e38 if m % 3 else 3.4e38, -3.4e38),
    }
    sizes = [(1920, 1080, None), (-64, -64, None), (0, 1080, None), (1920, 0, None),
             (1920, 1080, 99999), (1920, 1080, -99999), (1, 1, 50)]
    for name, (temp, precip, lat) in cases.items():
        record = absurd_record(base, temp, precip, lat)
        for i, (w, h, offset) in enumerate(sizes):
            put(regressions("station_file"), f"{name}_{i}", record + options(w, h, offset))
        put(regressions("station_file"), f"{name}_table", record + options(1920, 1080, table=1))
        put(regressions("manual_entry"), name, record)

    with open(os.path.join(DB, "COUNTRY.DAT"), "rb") as f:
        countries = f.read()
    with open(os.path.join(DB, "PRECIP.DAT"), "rb") as f:
        precip = f.read()
    with open(os.path.join(DB, "TEMP.DAT"), "rb") as f:
        temp = f.read()
    for n, (c, p, t) in enumerate([(3, 2, 2), (10, 4, 4), (1, 1, 0)]):
        country = countries[:79 * c]
        precip_part = precip[:1338 * p]
        temp_part = temp[:1338 * t]
        put(corpus("database"), f"piece_{n}",
            struct.pack("<HH", len(country), len(precip_part)) + struct.pack("<I", 0) + country + precip_part + temp_part)

    with open(os.path.join(DB, "station-normals.csv"), "rb") as f:
        lines = f.read().split(b"\n")
    put(corpus("normals_table"), "head", b"\n".join(lines[:6]) + b"\n")
    put(corpus("normals_table"), "header_only", lines[0] + b"\n")
    for target in ("database", "normals_table"):
        os.makedirs(regressions(target), exist_ok=True)
        put(regressions(target), "empty", b"")


def outline(rings, version=1, ring_count=None, point_count=None):
    """WORLD.DAT bytes of rings of (lon, lat) hundredths of a degree."""
    points = [p for ring in rings for p in ring]
    data = b"VKWO" + struct.pack("<III", version, len(rings) if ring_count is None else ring_count,
                                  len(points) if point_count is None else point_count)
    data += b"".join(struct.pack("<I", len(r)) for r in rings)
    return data + b"".join(struct.pack("<hh", *p) for p in points)


def world_outline_seeds():
    """Seeds of the world outline: a square and a lake, the first rings of
    the shipped file; and hostile files kept as regressions."""
    square = [(-1000, -1000), (1000, -1000), (1000, 1000), (-1000, 1000)]
    lake = [(-100, -100), (100, -100), (0, 100)]
    put(corpus("world_outline"), "square_and_lake", outline([square, lake]))
    put(corpus("world_outline"), "globe_corners", outline([[(-18000, -9000), (18000, -9000), (18000, 9000), (-18000, 9000)]]))
    with open(os.path.join(DB, "WORLD.DAT"), "rb") as f:
        world = f.read()
    ring_count, = struct.unpack_from("<I", world, 8)
    sizes = struct.unpack_from(f"<{ring_count}I", world, 16)
    first = 16 + 4 * ring_count
    rings, at = [], 0
    for size in sizes[:4]:
        rings.append([struct.unpack_from("<hh", world, first + 4 * (at + k)) for k in range(size)])
        at += size
    put(corpus("world_outline"), "first_rings", outline(rings))
    good = outline([square, lake])
    hostile = {
        "empty": b"",
        "magic_only": b"VKWO",
        "version_2": outline([square], version=2),
        "no_rings": outline([]),
        "cut_short": good[:-3],
        "trailing_byte": good + b"\0",
        "ring_of_two": outline([square[:2]]),
        "rings_exceed_points": outline([square, lake], point_count=5),
        "huge_counts": outline([square], ring_count=0xFFFFFFFF, point_count=0xFFFFFFFF),
        "lon_beyond_180": outline([[(18001, 0), (0, 0), (0, 100)]]),
        "lat_beyond_90": outline([[(0, -9001), (0, 0), (100, 0)]]),
    }
    for name, data in hostile.items():
        put(regressions("world_outline"), name, data)


if __name__ == "__main__":
    main()
