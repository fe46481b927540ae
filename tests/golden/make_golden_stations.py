#!/usr/bin/env python3
"""Writes the station files the golden SVG pictures are drawn from.

Each file is the 660-byte record image, filled from one row of the shared
station normals (station-normals.csv) the way the database import fills the
record: absolute degrees and minutes with a signed degrees.minutes latitude
and longitude, a southern station's six month arrays swapped by half-years.
Unlike the import it keeps the extremes the row has (with their show
flags) and sets frost marks so the pictures show them: a bar for a month
whose mean is below 0 degC, an outline for one whose mean daily minimum is.

usage: make_golden_stations.py station-normals.csv OUT_DIR
"""
import csv
import struct
import sys

# file name, WMO number, diagram_mode, month_labels
STATIONS = [
    ("berlin", "10384", 1, 1),
    ("buenos_aires", "87585", 1, 1),
    ("cherrapunji", "42515", 1, 0),
    ("verkhoyansk", "24266", 1, 1),
    ("in_salah", "60630", 1, 1),
]


def months(row, prefix):
    return [float(row[f"{prefix}_{m:02d}"]) if row[f"{prefix}_{m:02d}"] else None for m in range(1, 13)]


def deg_min(text):
    value = float(text)
    whole, _, frac = text.lstrip("-").partition(".")
    return value, int(whole), int((frac + "00")[:2])


def month_array(values):
    slots = [0.0] * 14
    for i, v in enumerate(values):
        slots[i + 1] = v if v is not None else 0.0
    return slots


def swap_half_years(slots):
    for i in range(1, 7):
        slots[0] = slots[i]
        slots[i] = slots[i + 6]
        slots[i + 6] = slots[0]


def record(row, diagram_mode, month_labels):
    b = bytearray(660)

    def text(offset, s):
        data = s.encode("cp1252")[:63]
        b[offset:offset + len(data)] = data

    text(0, row["station_name"][:24])
    text(64, row["wmo_id"][:8])
    text(128, row["country_name"][:31])
    lat, lat_d, lat_m = deg_min(row["lat_deg_min"])
    lon, lon_d, lon_m = deg_min(row["lon_deg_min"])
    b[192:194] = b"S\0" if lat < 0 else b"N\0"
    b[194:196] = b"W\0" if lon < 0 else b"E\0"
    struct.pack_into("<iiii", b, 196, int(float(row["elevation_m"])), int(row["country_iso_numeric"]),
                     int(row["temp_last_year"]) - int(row["temp_first_year"]) + 1,
                     int(row["precip_last_year"]) - int(row["precip_first_year"]) + 1)
    struct.pack_into("<fiifii", b, 212, lat, lat_d, lat_m, lon, lon_d, lon_m)
    temp, tmin, tmax = months(row, "temp_mean"), months(row, "temp_min"), months(row, "temp_max")
    arrays = [month_array(months(row, "precip")), month_array(temp), month_array(months(row, "precip_min")),
              month_array(months(row, "precip_max")), month_array(tmin), month_array(tmax)]
    frost = [1 if t is not None and t < 0 else 2 if n is not None and n < 0 else 0 for t, n in zip(temp, tmin)]
    if lat < 0:
        for a in arrays:
            swap_half_years(a)
        frost = frost[6:] + frost[:6]
    for k, a in enumerate(arrays):
        struct.pack_into("<14f", b, 236 + 56 * k, *a)
    have_min = all(v is not None for v in tmin)
    have_max = all(v is not None for v in tmax)
    abs_min = float(row["abs_min_c"]) if row["abs_min_c"] else -999.0
    abs_max = float(row["abs_max_c"]) if row["abs_max_c"] else -999.0
    coldest = min(tmin) if have_min else 0.0
    warmest = max(tmax) if have_max else 0.0
    struct.pack_into("<ffff", b, 572, abs_min, abs_max, coldest, warmest)
    struct.pack_into("<12i", b, 588, *frost)
    struct.pack_into("<6i", b, 636, int(bool(row["abs_max_c"])), int(bool(row["abs_min_c"])), int(have_max),
                     int(have_min), diagram_mode, month_labels)
    return bytes(b)


def main():
    rows = {r["wmo_id"]: r for r in csv.DictReader(open(sys.argv[1], encoding="utf-8"))}
    for name, wmo, mode, labels in STATIONS:
        with open(f"{sys.argv[2]}/{name}.cli", "wb") as f:
            f.write(record(rows[wmo], mode, labels))


if __name__ == "__main__":
    main()
